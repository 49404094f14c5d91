#pragma once
// The error system: ERRORSYS, the start-up hook that makes the standard error handler the
// runtime's error callback, and (through the headers below) the handler, its message text and the
// error log writer. It installs nothing else and changes no setting.

#include "ErrorLog.hpp"
#include "ErrorMessage.hpp"
#include "StandardHandler.hpp"
#include "Value.hpp"

// Installs a callback "(B)ERRORSYS@nnnn" that hands each error object to STANDARDEH and answers
// with what it returns; the callback it replaces is dropped. Returns NIL.
rt::Value ERRORSYS();

#pragma once
// Every generic error code (`genCode`) our runtime raises, with when it is used. The standard error
// handler repairs four of them silently; each of those four stands for a real failure here:
//   11 a numeric result that is not a finite number   -> the handler substitutes 0
//   12 division or modulus by zero ("/" or "%")        -> the handler substitutes 0
//   71 a file held by another process (osCode 32)      -> the handler takes the default
//   78 an output device that is not ready (printer)    -> the handler takes the default
// On Linux "held by another process" means: another open file description holds a lock on the
// file (flock). Such an error carries osCode 32, the sharing-violation code the system knows; every
// other file error carries the operating system's errno in osCode.

#include "Text850.hpp"

namespace rt {

enum class GenCode : int
{
    Argument = 1,         // an operand or argument of the wrong type or out of range
    Bound = 2,            // an array index outside 1..LEN
    TextTooLong = 3,      // a text would exceed the runtime's text limit (1 GiB)
    NoMethod = 4,         // a message the receiver does not understand, or a non-object receiver
    NoVariable = 5,       // a published name that was never assigned
    Create = 6,           // a file could not be created or opened (osCode: errno)
    Write = 7,            // writing to a file failed, e.g. a full disk (osCode: errno)
    Engine = 8,           // a database engine failed to commit or close its work areas
    Setting = 9,          // an unknown setting number
    Dialog = 10,          // a dialog could not be shown
    NumericOverflow = 11, // a result that is infinite or not a number
    ZeroDivide = 12,      // division or modulus by zero
    Sharing = 71,         // a file locked by another process; osCode 32
    NotReady = 78,        // printer output switched on, but this runtime drives no printer
};

// The descriptions the runtime gives the errors it raises, all of them. The error box and the log
// show them among German texts, so they are German too. A failure the operating system reports
// carries the system's own text instead (systemErrorText), in the language of the process locale.
namespace errortext {
inline constexpr const char *kArgument = "Falsches Argument";
inline constexpr const char *kBound = "Feldindex außerhalb des Bereichs"_oemz;
inline constexpr const char *kTextTooLong = "Text zu lang";
inline constexpr const char *kNoMethod = "Methode unbekannt: "; // followed by the message
inline constexpr const char *kNoVariable = "Variable existiert nicht";
inline constexpr const char *kNotACallback = "Kein aufrufbarer Block";
inline constexpr const char *kSymbolicLink = "Name ist ein symbolischer Link";
inline constexpr const char *kNotARegularFile = "Keine gewöhnliche Datei"_oemz;
inline constexpr const char *kHardLink = "Name ist ein harter Link";
inline constexpr const char *kZeroByte = "Name enthält ein Nullbyte"_oemz;
inline constexpr const char *kBeingWritten = "Datei wird gerade geschrieben";
inline constexpr const char *kHeldElsewhere = "Datei wird von einem anderen Prozess benutzt";
inline constexpr const char *kEngine = "Fehler der Database-Engine";
inline constexpr const char *kUnknownSetting = "Unbekannte Einstellung";
inline constexpr const char *kSettingValue = "Falscher Wert für Einstellung"_oemz;
inline constexpr const char *kNumericOverflow = "Zahlenüberlauf"_oemz;
inline constexpr const char *kZeroDivide = "Division durch Null";
inline constexpr const char *kPrinterNotReady = "Drucker nicht bereit";
inline constexpr const char *kExtraNotReady = "Zusatzgerät nicht bereit"_oemz;
inline constexpr const char *kCursorPosition = "Cursorposition außerhalb des Bereichs"_oemz;
inline constexpr const char *kNoDesktop =
    "Kein Desktop, auf dessen Ereignisse gewartet werden kann";
} // namespace errortext

// The osCode that says "held by another process".
inline constexpr int kSharingViolation = 32;

// Severity levels of an error object.
enum class Severity : int
{
    Warning = 1,
    Error = 2,
    Fatal = 3
};

} // namespace rt

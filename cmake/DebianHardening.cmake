# Everything in the tree is built hardened, the way Debian builds its packages: with the flags
# dpkg-buildflags gives when every hardening feature is on (format-security, fortified functions,
# the strong stack protector, read-only relocations, immediate binding; Debian 13's dpkg adds
# stack-clash and control-flow protection by itself). Its optimisation and debug flags are left
# out, since the build type decides those, and so is its path mapping, which names the folder it
# was asked from. Where dpkg-buildflags is missing, Debian's set is written down here instead.
# Stack-clash protection, the control-flow protection the machine has and immediate binding are
# added on every release: Debian 12's compiler has them, its dpkg-buildflags does not ask for the
# first two.

# debian_flags(VARIABLE FLAG FALLBACK...): dpkg-buildflags' FLAG (CPPFLAGS, CXXFLAGS, LDFLAGS)
# with all hardening on, as a list, or FALLBACK without dpkg-buildflags.
function(debian_flags variable flag)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags)
  if(NOT DPKG_BUILDFLAGS)
    set(${variable} ${ARGN} PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${flag}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^(-g.*|-O.*|-f(file|debug|macro)-prefix-map=.*)$")
  set(${variable} ${flags} PARENT_SCOPE)
endfunction()

debian_flags(preprocessor CPPFLAGS -D_FORTIFY_SOURCE=2)
debian_flags(compiler CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
debian_flags(linker LDFLAGS -Wl,-z,relro -Wl,-z,now)
list(APPEND compiler -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
  list(APPEND compiler -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  list(APPEND compiler -mbranch-protection=standard)
endif()
list(APPEND linker -Wl,-z,now)
# Immediate binding can be left out to measure what it costs at start-up (README, Performance).
option(TARVELLO_BIND_NOW "Link with immediate binding (-z now), as Debian does" ON)
if(NOT TARVELLO_BIND_NOW)
  list(FILTER linker EXCLUDE REGEX "^-Wl,-z,now$")
endif()
foreach(flags IN ITEMS preprocessor compiler linker)
  list(REMOVE_DUPLICATES ${flags})
endforeach()

# The C library's fortified functions need optimisation, and warn without it: they go only to the
# optimised builds (the test code, compiled without optimisation, undefines them again).
set(fortify ${preprocessor})
list(FILTER fortify INCLUDE REGEX "_FORTIFY_SOURCE")
list(FILTER preprocessor EXCLUDE REGEX "_FORTIFY_SOURCE")
add_compile_options(${preprocessor} ${compiler}
                    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${fortify}>")
add_link_options(${linker})
string(JOIN " " shown ${preprocessor} ${fortify} ${compiler} ${linker})
message(STATUS "Hardened as Debian builds: ${shown}")

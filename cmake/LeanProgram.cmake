# The shipped program's optimised builds (Release, and RelWithDebInfo, which the package is made
# from) map and relocate only the code the program can reach:
# - link-time optimisation over the program and the product libraries: code that nothing calls,
#   template instances and lambdas included, is not emitted at all, and small calls across the
#   libraries are inlined;
# - every function and datum in a section of its own, so the linker drops the ones left unused;
# - -O2 in Release too: -O3's unrolled and vectorised copies make the program a tenth larger, and
#   its start-up runs each of its loops a handful of times;
# - the dynamic linker's tables optimised (-O1), no library recorded that no code needs
#   (--as-needed), and the relative relocations of the position-independent program packed
#   (DT_RELR, glibc 2.36): a few hundred bytes instead of 20 KiB of records read at every start;
# - the constants beside the dynamic linker's tables and the cold code in a mapping of its own
#   (ProgramLayout.ld), so that start-up maps neither the unwinding tables nor the error paths;
# - no library search path: every library the program needs is the system's, and a search path
#   of $ORIGIN would make the dynamic linker look for each one beside the program first.
# The libraries' objects are fat (machine code beside the intermediate code), so the tests link
# them as ordinary objects (-fno-lto in their folders) instead of optimising them anew for every
# test executable.
function(tarvello_lean_program program)
  set(optimised $<CONFIG:Release,RelWithDebInfo>)
  foreach(target IN ITEMS ${program} ${ARGN})
    set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION_RELEASE ON
                                               INTERPROCEDURAL_OPTIMIZATION_RELWITHDEBINFO ON)
    target_compile_options(${target} PRIVATE
      $<${optimised}:-ffunction-sections -fdata-sections -ffat-lto-objects>
      $<$<CONFIG:Release>:-O2>)
  endforeach()
  target_link_options(${program} PRIVATE
    $<${optimised}:LINKER:--gc-sections,-O1,--as-needed,-z,pack-relative-relocs>
    $<${optimised}:LINKER:-T,${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ProgramLayout.ld>)
  set_property(TARGET ${program} APPEND PROPERTY LINK_DEPENDS
               ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/ProgramLayout.ld)
  set_target_properties(${program} PROPERTIES INSTALL_RPATH "" SKIP_BUILD_RPATH ON)
endfunction()

# Unity builds: a target's files compiled a batch at a time as one file, so that the headers
# they share are parsed once per batch instead of once per file. On two cores that takes about
# half the time from an empty cache; a change to one file recompiles its batch.
#
#   norvane_unity_build(target)
#
# Files in one batch share one anonymous namespace: two helpers of the same name in two files of
# a folder clash there, so give them distinct names (or one home, if they do the same). Files
# that include the kernel's terminal headers (<asm/...>, for rates termios cannot name) stay out
# of the batches, since those headers redefine the C library's struct termios.
option(NORVANE_UNITY_BUILD "Compile each target's files in batches (faster builds from scratch)" ON)

function(norvane_unity_build target)
  if(NOT NORVANE_UNITY_BUILD)
    return()
  endif()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
  get_target_property(sources ${target} SOURCES)
  foreach(source ${sources})
    if(source MATCHES "\\.cpp$")
      file(STRINGS ${source} kernel_headers REGEX "^#include <asm/")
      if(kernel_headers)
        set_source_files_properties(${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
    endif()
  endforeach()
endfunction()

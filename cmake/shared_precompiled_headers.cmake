# Headers that many files of a set of targets include, compiled once for the whole set instead of
# parsed again for every file (Qt's and GoogleTest's take seconds each). The first target named in
# a set compiles them; the others reuse its copy, which needs their compile flags to be the same.
#
#   norvane_shared_precompiled_headers(target set [header...])
#
# The headers are given by the first target of the set. A file still includes what it uses: the
# precompiled headers are only a head start for the compiler.
function(norvane_shared_precompiled_headers target set)
  get_property(owner GLOBAL PROPERTY norvane_pch_${set})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${ARGN})
    set_property(GLOBAL PROPERTY norvane_pch_${set} ${target})
  endif()
endfunction()

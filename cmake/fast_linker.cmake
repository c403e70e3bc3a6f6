# lld, where the compiler can use it, links the programs in a fraction of the system linker's time
# (the window tests with their line tables and Qt libraries most of all).
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld NORVANE_LINKS_WITH_LLD)
if(NORVANE_LINKS_WITH_LLD)
  add_link_options(-fuse-ld=lld)
endif()

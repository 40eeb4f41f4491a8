nuvo_add_bench(nuvo_decorate_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DecorateBench.cpp
  LIBS nuvo_core_decorate)

nuvo_add_bench(nuvo_template_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TemplateBench.cpp
  LIBS nuvo_core_html)

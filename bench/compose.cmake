# Composing a large listing's page and refreshing its preview files.
nuvo_add_bench(nuvo_compose_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ComposeBench.cpp
  LIBS nuvo_core_document)

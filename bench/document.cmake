# Saving and opening a listing file that carries ten 5 MB photos.
nuvo_add_bench(nuvo_document_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DocumentBench.cpp
  LIBS nuvo_core_document)

# The HTML document model against gumbo-parser on the same generated sell page. gumbo serves the
# benchmark alone; the program never links it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GUMBO REQUIRED IMPORTED_TARGET gumbo)
nuvo_add_bench(nuvo_htmldoc_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HtmlDocumentBench.cpp
  LIBS nuvo_core_html PkgConfig::GUMBO)

# The category catalogue the build makes: a keyword search over every part, and a first name
# lookup that reads its part.
nuvo_add_bench(nuvo_category_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CategoryBench.cpp
  LIBS nuvo_core_net)
add_dependencies(nuvo_category_bench nuvo_categories)
target_compile_definitions(nuvo_category_bench
  PRIVATE NUVO_CATEGORIES_DIR="${PROJECT_BINARY_DIR}/share/nuvo/categories")

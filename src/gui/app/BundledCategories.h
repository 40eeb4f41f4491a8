#pragma once

#include <filesystem>

// The category catalogue that ships with the program: "<application dir>/../share/nuvo/categories"
// when it exists, else the build tree's folder, so that programs run from the build tree find it.
// Needs a QCoreApplication.
namespace nuvo {

std::filesystem::path BundledCategoriesFolder();

}  // namespace nuvo

#pragma once

#include <filesystem>

#include "core/net/CategoryCatalogue.h"

// The category catalogue that ships with the program: "<application dir>/../share/nuvo/categories"
// when it exists, else the build tree's folder, so that programs run from the build tree find it.
// Needs a QCoreApplication.
namespace nuvo {

std::filesystem::path BundledCategoriesFolder();

// The program's one catalogue on that folder, whose parts stay loaded once read.
CCategoryCatalogue& BundledCatalogue();

}  // namespace nuvo

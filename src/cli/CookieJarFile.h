#pragma once

#include <string>

#include "gui/net/CookieJar.h"

// The cookies.txt file that --cookie-jar names: read into the run's jar before it talks to the
// service and written back, whole and atomically, afterwards.
namespace nuvo::cli {

// A file that does not exist yet is an empty jar; false when the file cannot be read.
bool ReadCookieJar(const std::string& path, CCookieJar& jar);
bool WriteCookieJar(const std::string& path, const CCookieJar& jar);

}  // namespace nuvo::cli

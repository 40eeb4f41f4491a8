#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkCookie>

// The cookies.txt format that curl and wget read and write: one cookie a line, seven fields
// separated by tabs (domain, whether subdomains match, path, secure, expiry in Unix seconds with 0
// for a session cookie, name, value); "#HttpOnly_" before the domain marks an HTTP-only cookie,
// other lines starting with "#" are comments.
namespace nuvo {

// Reads every well-formed line; `ok` turns false when a line that is not a comment or blank
// could not be read (the good lines are still returned).
QList<QNetworkCookie> ParseCookiesTxt(const QByteArray& text, bool* ok = nullptr);

// Writes `cookies`, session cookies included, with the format's header line.
QByteArray FormatCookiesTxt(const QList<QNetworkCookie>& cookies);

}  // namespace nuvo

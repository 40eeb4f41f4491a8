#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "core/html/TemplateNode.h"

// Reading page templates into description trees. A template is code page 932 HTML in which
// "<!--#name-->" opens a section and "<!--#name@end-->" (any name with "@" after its first
// byte) closes the innermost open one; the text between directives belongs to the innermost
// open section.
namespace nuvo {

// Sections nest at most this deep below the root; the directives of deeper sections (and the
// matching closes) are kept as text, so no template can make the tree deep.
inline constexpr std::size_t kMaxSectionDepth = 200;

// The resource type of the built-in templates (BuiltinTemplates.h); there is no other.
inline constexpr int kHtmlResourceType = 23;

// Makes the node for a section; returning null lets the parser make a plain CTemplateNode.
// The document uses it to give sections its own classes.
using CNodeFactory =
    std::function<std::unique_ptr<CTemplateNode>(ENodeKind kind, std::string_view name)>;

// Clears `root` and fills it from `text`. False only when `root` is null; an empty text leaves
// the root empty. An end directive with no open section is ignored; a directive still open at
// the end of the text becomes text without its "<!--#".
bool ParseTemplate(CTemplateNode* root, std::string_view text, const CNodeFactory& factory = {});

// Reads the file whole and parses it; false (root untouched) when it cannot be read.
bool ParseTemplateFile(CTemplateNode* root, const std::filesystem::path& path,
                       const CNodeFactory& factory = {});

// Parses a built-in template; false (root untouched) when there is no such template of that
// type.
bool ParseTemplateResource(CTemplateNode* root, int resourceId,
                           int resourceType = kHtmlResourceType, const CNodeFactory& factory = {});

}  // namespace nuvo

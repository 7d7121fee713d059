#pragma once

// Files and folders dropped from a file manager: the local paths a drop's text/uri-list names.
// Only file: URIs of this machine count; everything else in the list is skipped. A path's
// percent-escapes are decoded to the file name's own bytes, which reach the system's wide form
// through the one conversion every file name takes (UTF-8; bytes that are not UTF-8 cannot yet
// survive it).
//
// Any thread for PathsFromUriList; the QMimeData functions on the GUI thread.

#include <string>
#include <string_view>
#include <vector>

class QMimeData;

// The local paths of a text/uri-list (RFC 2483: one URI a line, "#" comment lines), in order.
std::vector<std::wstring> PathsFromUriList(std::string_view uriList);

// True when the drop names at least one local path.
bool HasDroppedPaths(const QMimeData& data);

// The local paths the drop names, in the order it lists them.
std::vector<std::wstring> DroppedPaths(const QMimeData& data);

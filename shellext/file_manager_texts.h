#pragma once

// The entry files that make file managers offer the menu item. Each one runs
// folioforge-shellhost with "--" and the selected paths, and carries kEntryMarker so that
// unregistration removes only files that registration wrote.

#include <optional>
#include <string>
#include <string_view>

namespace shellext {

inline constexpr std::string_view kEntryMarker =
    "# Folioforge context-menu entry: written on registration, removed on unregistration.";

// True when a file's content carries the marker on a line of its own.
bool IsOurEntry(std::string_view content);

// A shell script for Nautilus ("Scripts" submenu), which passes the selection as arguments.
std::string NautilusScript(const std::string& shellhost);

// A Dolphin service menu (a desktop entry) named caption. Nullopt when the program path or the
// caption hold control characters, which a desktop entry cannot carry.
std::optional<std::string> DolphinServiceMenu(const std::string& shellhost,
                                              const std::string& caption);

// A Nemo action named caption; nullopt as for the service menu.
std::optional<std::string> NemoAction(const std::string& shellhost, const std::string& caption);

// The caption as a file name: '/' and control characters become '-'.
std::string ScriptFileName(const std::string& caption);

}  // namespace shellext

#include "file_manager_texts.h"

#include <algorithm>

namespace shellext {
namespace {

bool HasControlCharacters(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// One shell word, in single quotes; a quote inside becomes '\''.
std::string ShellQuoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// One argument of a desktop entry's Exec key: in double quotes with ", `, $ and \ escaped,
// then \ doubled again and % doubled for the value itself.
std::string DesktopExecQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$') {
            out += "\\";
            out += c;
        } else if (c == '\\') {
            out += "\\\\\\\\";
        } else if (c == '%') {
            out += "%%";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A desktop entry value: backslashes doubled.
std::string DesktopValue(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return out;
}

}  // namespace

bool IsOurEntry(std::string_view content) {
    for (size_t start = 0; start < content.size();) {
        const size_t end = std::min(content.find('\n', start), content.size());
        if (content.substr(start, end - start) == kEntryMarker) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string NautilusScript(const std::string& shellhost) {
    return "#!/bin/sh\n" + std::string(kEntryMarker) + "\nexec " + ShellQuoted(shellhost) +
           " -- \"$@\"\n";
}

std::optional<std::string> DolphinServiceMenu(const std::string& shellhost,
                                              const std::string& caption) {
    if (HasControlCharacters(shellhost) || HasControlCharacters(caption)) {
        return std::nullopt;
    }
    const std::string exec = "Exec=" + DesktopExecQuoted(shellhost) + " -- %F\n";
    const std::string name = "Name=" + DesktopValue(caption) + "\n";
    return "[Desktop Entry]\n" + std::string(kEntryMarker) + "\nType=Application\n" + name +
           "NoDisplay=true\n" + exec +
           "MimeType=application/octet-stream;inode/directory;\n"
           "Actions=convertToPdf;\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin,all/allfiles,inode/directory\n"
           "X-KDE-Priority=TopLevel\n"
           "\n[Desktop Action convertToPdf]\n" +
           name + "Icon=application-pdf\n" + exec;
}

std::optional<std::string> NemoAction(const std::string& shellhost, const std::string& caption) {
    if (HasControlCharacters(shellhost) || HasControlCharacters(caption)) {
        return std::nullopt;
    }
    return "[Nemo Action]\n" + std::string(kEntryMarker) + "\nName=" + DesktopValue(caption) +
           "\nComment=" + DesktopValue(caption) + "\nExec=" + ShellQuoted(shellhost) +
           " -- %F\nIcon-Name=application-pdf\nSelection=notnone\nExtensions=any;\n";
}

std::string ScriptFileName(const std::string& caption) {
    std::string name = caption;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '-');
    return name;
}

}  // namespace shellext

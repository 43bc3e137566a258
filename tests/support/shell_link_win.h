#pragma once

#include <optional>
#include <ostream>
#include <string>

// A shell link's properties, as the shell reads them back.
struct ShellLink {
    std::string target, arguments, description, icon;
    int iconIndex = -1;
    bool operator==(const ShellLink&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const ShellLink& l) {
        return out << l.target << '|' << l.arguments << '|' << l.description << '|' << l.icon << ','
                   << l.iconIndex;
    }
};

// Nothing when the file is not a readable shell link.
std::optional<ShellLink> ReadShellLink(const std::string& file);

// "Velunda.lnk" in the current user's Startup folder.
std::string StartupShortcutPath();

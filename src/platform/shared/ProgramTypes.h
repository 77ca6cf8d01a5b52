#pragma once

// What a link may never open on this machine: the content types and file name
// extensions of programs, scripts, launchers, installers and packages. A
// desktop runs these, or installs them after one confirmation, instead of
// showing them. Both lists are checked on every platform.

#include <string_view>

namespace quorvel::platform {

// Content types, matched with everything they inherit from; a trailing '*'
// takes every type whose name starts so.
inline constexpr std::u16string_view kProgramTypes[] = {
    // Native programs. Most script types inherit from it too (shell, Perl,
    // Python, Ruby, Lua, JavaScript, and JSON through JavaScript).
    u"application/x-executable",
    // Position-independent programs are typed as libraries, or by this name
    // in newer databases.
    u"application/x-sharedlib",
    u"application/x-pie-executable",
    // Scripts in databases that do not derive them from programs.
    u"application/x-shellscript",
    u"text/x-script.*",
    u"application/x-python-bytecode",
    u"text/vbscript",
    u"application/x-powershell",
    // Windows programs, which Windows or Wine run.
    u"application/x-ms-dos-executable",
    u"application/x-msdownload",
    u"application/x-ms-ne-executable",
    u"application/x-dosexec",
    u"application/x-ms-application",
    // Launchers and shortcuts run the command or open the target they name.
    u"application/x-desktop",
    u"application/x-mswinurl",
    u"application/x-ms-shortcut",
    // Self-running program images.
    u"application/vnd.appimage",
    u"application/x-iso9660-appimage",
    // Packages and installers: one confirmation from installing software.
    u"application/vnd.debian.binary-package", // also known as application/x-deb
    u"application/x-rpm",
    u"application/x-source-rpm",
    u"application/vnd.flatpak*",
    u"application/vnd.snap",
    u"application/x-msi",
    u"application/vnd.android.package-archive",
    u"application/x-xpinstall",
    u"application/vnd.openofficeorg.extension",
    // Java starts what these name or contain.
    u"application/x-java-jnlp-file",
    u"application/x-java-archive",
    // Windows merges these into the registry or runs their scripts.
    u"text/x-ms-regedit",
    u"application/vnd.ms-htmlhelp",
    u"application/hta",
};

// File name extensions (lower case, without the dot), judged on every
// platform before the file is looked at. Windows adds those of PATHEXT.
// clang-format off
inline constexpr std::u16string_view kProgramExtensions[] = {
    // Windows programs, screen savers, control panel items and installers.
    u"exe", u"com", u"pif", u"scr", u"cpl", u"msc", u"msi", u"msp", u"mst", u"msu", u"appx",
    u"appxbundle", u"msix", u"msixbundle", u"appinstaller", u"application", u"appref-ms",
    u"xbap", u"gadget", u"xll",
    // Windows scripts, run by the command processor, Windows Script Host or PowerShell.
    u"bat", u"cmd", u"vb", u"vbs", u"vbe", u"js", u"jse", u"ws", u"wsf", u"wsc", u"wsh", u"sct",
    u"ps1", u"ps1xml", u"ps2", u"ps2xml", u"psc1", u"psc2", u"psm1", u"psd1", u"msh", u"msh1",
    u"msh2", u"mshxml", u"msh1xml", u"msh2xml", u"hta", u"htc",
    // Windows shortcuts, shell commands and settings that point at a program.
    u"lnk", u"url", u"scf", u"shb", u"shs", u"website", u"settingcontent-ms", u"library-ms",
    u"search-ms", u"searchconnector-ms", u"wsb",
    // Windows files that change the system or run what they contain: registry
    // merges, setup information, compiled help, troubleshooters, themes and
    // disk images (mounting one shows its programs without the download mark).
    u"reg", u"inf", u"chm", u"hlp", u"its", u"diagcab", u"diagcfg", u"diagpkg", u"theme",
    u"themepack", u"deskthemepack", u"iso", u"img", u"vhd", u"vhdx",
    // Unix launchers, scripts and self-running programs.
    u"desktop", u"kdelnk", u"sh", u"bash", u"zsh", u"csh", u"ksh", u"fish", u"run", u"bin",
    u"appimage", u"command", u"py", u"pyw", u"pyc", u"pyo", u"pl", u"rb",
    // Packages that a software centre installs.
    u"deb", u"udeb", u"rpm", u"snap", u"flatpak", u"flatpakref", u"flatpakrepo", u"jnlp",
    // Zip archives that are applications or extensions: their content says only
    // application/zip, their name says what they are.
    u"jar", u"apk", u"xpi", u"crx", u"oxt", u"pyz", u"pyzw", u"whl",
};
// clang-format on

// The first bytes of a file that give away a program, whatever its name.
inline constexpr std::string_view kShebang = "#!";
inline constexpr std::string_view kElfMagic = "\x7f"
                                              "ELF";
inline constexpr std::string_view kWindowsProgramMagic = "MZ";
// The group header of a launcher ("[Desktop Entry]", "[KDE Desktop Entry]"),
// which may follow any number of comment lines.
inline constexpr std::string_view kLauncherHeader = "Desktop Entry]";

} // namespace quorvel::platform

// The real message box, installed by each program at start-up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// Installs a QMessageBox-backed handler; title "" shows appTitle.
void InstallWidgetMessageBox(const std::string& appTitle);

// The box wraps its text at blanks only. Words longer than this (paths, addresses) may also
// wrap after each "/" and "\", and every so many characters between them, so that the whole
// path shows, file name included, however long it is.
inline constexpr std::size_t kLongestUnbrokenRun = 40;

// The text with an invisible break opportunity (a zero-width space) wherever such a word may
// wrap; shorter words are left alone.
std::u16string WithBreakOpportunities(std::u16string_view text);

}  // namespace plat

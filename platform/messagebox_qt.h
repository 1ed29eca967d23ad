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

// A box whose text would make it taller than the screen shows a shorter form of it, and the
// whole text, path and all, under its details button. The shorter form: every word longer
// than twice `keep` characters keeps its first and last `keep` characters around an ellipsis
// (so a path keeps its file name), and of its lines only the first `maxLines` stay, an
// ellipsis standing for the rest.
std::u16string ShortenedText(std::u16string_view text, std::size_t keep, std::size_t maxLines);

}  // namespace plat

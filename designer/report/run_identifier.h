// The six-digit numbers that name the report's scratch files: the diagram image
// "stgr_temp<n>.jpg" and the result document "restemp<n>.rex".
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace stagora {

inline constexpr int kFirstRunIdentifier = 100000;
inline constexpr int kLastRunIdentifier = 199999;
// How often a number is drawn before the scratch folder counts as full.
inline constexpr int kRunIdentifierDraws = 1000;

// Tells whether a file named by the number is already in the scratch folder.
using IdentifierTaken = std::function<bool(int identifier)>;

// A number from 100000 to 199999 drawn at random, drawn again while `taken` says it names a
// file already there: a viewer may still be showing that file, and replacing it would change
// a document under the user's eyes. 0 when every draw named a taken file.
int DrawRunIdentifier(std::mt19937& generator, const IdentifierTaken& taken);
// A generator for a designer's reports, seeded from the system's entropy and clock. It is made
// once and kept: re-seeding from the clock on every report would hand two reports of the same
// clock tick the same number.
std::mt19937 NewRunIdentifierGenerator();

}  // namespace stagora

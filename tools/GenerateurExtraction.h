#pragma once
// Realistic electoral-list extractions for benchmarks and manual trials.
//
// The result is what the school database exports: Windows-1252 bytes, ";"
// between cells, CR LF after every line, a header row of 20 column names (the
// eight the labels need, interleaved with twelve others), then one line per
// voter. Names and towns carry French accents; some cells are
// quoted, a few of them holding ";", doubled quotes or a CR LF. The same
// number of voters and seed always give the same bytes.

#include <cstdint>
#include <string>

std::string GenereExtraction(int nbElecteurs, uint32_t graine);

// Writes the bytes to the file (a local 8-bit name), replacing it; false on
// any failure.
bool EcritFichier(const std::string& chemin, const std::string& octets);

// Number of columns of every line of GenereExtraction's result.
constexpr int NbColonnesExtraction = 20;

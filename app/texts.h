// The bilingual text table. Every text the program shows is fetched by its index.
#pragma once
#include <string>

enum { TEXT_LANGUAGES = 2, TEXT_SLOTS = 92 };

// Row after row: language L, index i is TextTable[L * TEXT_SLOTS + i]. Stored as Windows-1252,
// "|" marks a line break.
extern std::string TextTable[TEXT_LANGUAGES * TEXT_SLOTS];

// Empties every slot, then stores the program's texts (German row, then English).
void FillTextTable();

// The text at `index` in the current Language with every "|" turned into a line feed; empty for
// an unfilled slot or an index outside the table.
std::string GetText(int index);

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console.h"

namespace qob::cli {

// The operands after the command word, already counted and checked.
using Operands = std::vector<std::string>;

int RunInfo(const Operands& operands, Console& console);
int RunList(const Operands& operands, Console& console);
int RunShow(const Operands& operands, Console& console);
int RunExport(const Operands& operands, Console& console);
int RunUnpack(const Operands& operands, Console& console);
int RunPack(const Operands& operands, Console& console);
// `heading`: the value of --heading, when given.
int RunImport(const Operands& operands, const std::optional<std::string>& heading, Console& console);

// Checks of operands that can be judged without touching a file; each
// gives the problem, or an empty text when there is none.
std::string CheckShowOperands(const Operands& operands);
std::string CheckExportOperands(const Operands& operands);

// An article number counted from 1, or nothing when `text` is not one.
std::optional<std::size_t> ParseArticleNumber(const std::string& text);

}  // namespace qob::cli

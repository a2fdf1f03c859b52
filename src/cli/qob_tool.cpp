#include "qob_tool.h"

#include <array>
#include <iterator>
#include <optional>
#include <ostream>
#include <string_view>

#include "commands.h"

namespace qob::cli {

namespace {

struct CommandEntry {
    std::string_view name;
    std::string_view operands;
    std::size_t operandCount;
    std::string_view summary;
    std::string_view details;
    int (*run)(const Operands&, Console&);
    std::string (*check)(const Operands&);
    // The one option with a value that a command may take, and the runner
    // that receives it (instead of `run`).
    std::string_view valueOption = {};
    int (*runWithOption)(const Operands&, const std::optional<std::string>&, Console&) = nullptr;
};

constexpr std::string_view kTextNote =
    "Text on the terminal and in text files is UTF-8 with \"\\n\" line breaks;\n"
    "inside a book it is GB18030 with \"\\r\\n\".\n";

constexpr std::string_view kExitNote =
    "Exit status: 0 on success; 1 when a file cannot be opened or written, is not\n"
    "a book, or the book is damaged (what could be read is still written out);\n"
    "2 for a usage error.\n";

const std::array<CommandEntry, 7> kCommands{{
    {"info", "BOOK", 1, "Prints the number of articles and the book's key",
     "The lines are \"articles: N\" and \"key: K\"; a damaged book adds\n"
     "\"damaged: yes (header says M)\", where M is the count its header announces.\n",
     RunInfo, nullptr},
    {"list", "BOOK", 1, "Prints one line per article: its number from 1, a tab, its title",
     "A line break inside a title is shown as a space.\n", RunList, nullptr},
    {"show", "BOOK N", 2, "Prints the content of article N, counted from 1",
     "Nothing is added after the content, not even a line break.\n", RunShow,
     CheckShowOperands},
    {"unpack", "BOOK DIR", 2, "Writes one text file per article into DIR",
     "DIR is created, or must be empty. The files are named 0001.txt, 0002.txt, ...\n"
     "(with more digits for books of 10000 articles or more). Each holds the title\n"
     "on its first line and the content after it. A book with a line break in a\n"
     "title is refused, since the first line could not keep it. An article whose\n"
     "bytes would not pack back unchanged (bytes that are not GB18030 text, line\n"
     "breaks other than \"\\r\\n\") is written with a warning that names it.\n",
     RunUnpack, nullptr},
    {"pack", "DIR BOOK", 2, "Writes a book made of the .txt files of DIR, in name order",
     "The first line of each file is the article's title, the rest its content;\n"
     "a file whose text does not end with a line break gives a content that does\n"
     "not end with one either. Files that are not UTF-8 or hold a NUL byte are\n"
     "refused. An existing BOOK is replaced only once the new one has been\n"
     "written whole.\n",
     RunPack, nullptr},
    {"export", "rux|custom BOOK OUT", 3, "Writes the book to OUT in the rux or the custom layout",
     "rux: the book's layout without key and cipher.\n"
     "custom: for each article a numbered heading with its title, then its content,\n"
     "each ending in \"\\r\\n\" and a NUL byte.\n",
     RunExport, CheckExportOperands},
    {"import", "TEXT BOOK [--heading REGEX]", 2, "Writes a book made of a plain-text file, one article per chapter",
     "TEXT is read as UTF-8 when it is valid UTF-8 (a byte order mark is allowed),\n"
     "and as GB18030 otherwise. An article begins at each chapter heading: a line of\n"
     "at most 40 characters that begins like \"第一章\", \"第12回\", \"第3节\", \"卷一\",\n"
     "\"Chapter 3\" or \"CHAPTER IV\"; the heading, trimmed, is its title. Text before\n"
     "the first heading becomes an article titled \"前言\", a file without headings\n"
     "one article named after the file. Blank lines at the start and end of each\n"
     "article are dropped. Prints the number of articles and the encoding read; a\n"
     "file without text writes no book.\n"
     "--heading REGEX: the lines in which this ECMAScript regular expression is found\n"
     "(in the trimmed UTF-8 line; lines of more than 200 characters never are)\n"
     "begin the articles instead.\n",
     nullptr, nullptr, "--heading", RunImport},
}};

bool IsHelpFlag(std::string_view word) { return word == "--help" || word == "-h"; }

const CommandEntry* FindCommand(std::string_view name) {
    for (const CommandEntry& command : kCommands) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

void PrintOverview(std::ostream& out) {
    out << "usage: qob COMMAND OPERANDS...\n\n"
           "Reads, writes and converts qob e-books.\n\nCommands:\n";
    for (const CommandEntry& command : kCommands) {
        out << "  " << command.name << ' ' << command.operands << "\n      " << command.summary << ".\n";
    }
    out << "\nRun 'qob COMMAND --help' for one command's details.\n\n" << kTextNote << '\n' << kExitNote;
}

void PrintCommandHelp(const CommandEntry& command, std::ostream& out) {
    out << "usage: qob " << command.name << ' ' << command.operands << "\n\n"
        << command.summary << ".\n\n" << command.details << '\n' << kTextNote << '\n' << kExitNote;
}

int UsageError(Console& console, const CommandEntry* command, std::string_view problem) {
    console.err << "qob: " << problem << '\n';
    if (command) {
        console.err << "usage: qob " << command->name << ' ' << command->operands << '\n';
    } else {
        console.err << "usage: qob COMMAND OPERANDS... (see 'qob --help')\n";
    }
    return kUsageError;
}

struct CommandWords {
    Operands operands;
    std::optional<std::string> optionValue;
    bool helpAsked = false;
    std::string problem;
};

// Operands, the command's value option ("--heading X" or "--heading=X"), a
// help flag, or the first unknown option; "--" ends the options so that a
// file name may start with "-".
CommandWords SplitCommandWords(const std::vector<std::string>& words, std::string_view valueOption) {
    CommandWords result;
    bool optionsEnded = false;
    const std::string valueEquals = std::string(valueOption) + '=';
    for (auto word = words.begin(); word != words.end(); ++word) {
        if (optionsEnded || *word == "-" || !word->starts_with('-')) {
            result.operands.push_back(*word);
        } else if (*word == "--") {
            optionsEnded = true;
        } else if (IsHelpFlag(*word)) {
            result.helpAsked = true;
            return result;
        } else if (!valueOption.empty() && *word == valueOption) {
            if (std::next(word) == words.end()) {
                result.problem = "option '" + *word + "' needs a value";
                return result;
            }
            result.optionValue = *++word;
        } else if (!valueOption.empty() && word->starts_with(valueEquals)) {
            result.optionValue = word->substr(valueEquals.size());
        } else {
            result.problem = "unknown option '" + *word + "'";
            return result;
        }
    }
    return result;
}

std::string CheckOperandCount(const CommandEntry& command, const Operands& operands) {
    if (operands.size() < command.operandCount) return std::string(command.name) + ": missing operands";
    if (operands.size() > command.operandCount) return std::string(command.name) + ": too many operands";
    return {};
}

int RunCommand(const CommandEntry& command, const std::vector<std::string>& words, Console& console) {
    const CommandWords split = SplitCommandWords(words, command.valueOption);
    if (split.helpAsked) {
        PrintCommandHelp(command, console.out);
        return kSuccess;
    }
    std::string problem = split.problem;
    if (problem.empty()) problem = CheckOperandCount(command, split.operands);
    if (problem.empty() && command.check) problem = command.check(split.operands);
    if (!problem.empty()) return UsageError(console, &command, problem);
    if (command.runWithOption) return command.runWithOption(split.operands, split.optionValue, console);
    return command.run(split.operands, console);
}

int Dispatch(const std::vector<std::string>& args, Console& console) {
    if (args.empty()) return UsageError(console, nullptr, "missing command");
    if (IsHelpFlag(args[0])) {
        PrintOverview(console.out);
        return kSuccess;
    }
    const CommandEntry* command = FindCommand(args[0]);
    if (!command) return UsageError(console, nullptr, "unknown command '" + args[0] + "'");
    return RunCommand(*command, {args.begin() + 1, args.end()}, console);
}

}  // namespace

int RunQob(const std::vector<std::string>& args, Console console) {
    const int status = Dispatch(args, console);
    console.out.flush();
    if (!console.out) return Fail(console, "cannot write to standard output");
    return status;
}

}  // namespace qob::cli

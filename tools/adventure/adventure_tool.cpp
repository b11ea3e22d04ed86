// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure_tool.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "adventure_source.h"
#include "media/bitmap.h"
#include "prove.h"

namespace plumix {
namespace {

constexpr int kOk = 0, kProblems = 1, kFailed = 2;

constexpr const char* kHelp = R"(Usage:
  plumix-adventure unpack FILE.paf DIR [--force]
                                         write DIR/adventure.txt, the text source of
                                         FILE.paf (--force: replace an existing one)
  plumix-adventure pack DIR FILE.paf     build FILE.paf from DIR/adventure.txt
  plumix-adventure check FILE.paf        list every problem by level and field
  plumix-adventure prove FILE.paf [--level N] [--seeds K]
                                         a bot plays each level with K seeds (3);
                                         exit 0 when every level was won at least once
  plumix-adventure --help                this text
  plumix-adventure --version             the version

Unpacking and packing again gives back the same bytes. Pack writes the file
even when it has problems, and lists them; check exits with 1 when there is
any problem, 0 when there is none, 2 when the file cannot be read.

The source (full description: docs/adventure-format.md):
  [Adventure]          Title, Author, Contact (texts in double quotes, UTF-8;
                       \" \\ and \xHH escapes), LastLevelIndex (levels 1..N+1)
  [Level N]            N = 1..100: Title, LevelType (0 Action, else Bonus),
                       DisasterKind (128: disasters in turn, each kind
                       once), DisasterFrequency, SpecialsFrequency
                       (0 none .. 3 high), StartSpeed, MaximalSpeed,
                       NextElements (0..4), LinesToIncreaseSpeed, LinesToFinish,
                       TimeToFinish, EntryColumn, EntryRow (top-left of the
                       4 x 4 entry box), Elements (18 numbers), Specials (12
                       numbers), RecordScore, then
                       "Board =" and 30 lines of 30 cells, row 1 first:
                         .  Void      -  Empty     *  Block    #  Edge
                         =  Passage   A..N  Special (codes 5..18)
                         @  EntryMark ?  a code given by "Cell X Y = N"
                       and, when any cell has one, "Kinds =" and 30 lines of
                       element kinds (. 0, 1..9, A..Z 10..35, ? "Kind X Y = N")
  [HighScores]         "place = score "name"", place 1..60, best first
Fields left out are 0; levels left out are all zero. Bytes the game does not
read (padding, reserved, text bytes after a text) appear only when they are
not zero, as hex: Reserved, ReservedAfterContact, ReservedAfterLastLevel,
PaddingAfterNextElements, PaddingAfterEntry, PaddingAfterSpecials,
Title.Rest, Title.Length (a stored length above the capacity), N.Unused,
N.Name.Rest, N.Name.Length.
)";

// Reading a folder would throw instead of failing.
std::vector<uint8_t> ReadFile(const std::filesystem::path& file, std::string& error) {
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !std::filesystem::is_regular_file(file, ec)) {
    error = file.string() + " is not a file";
    return {};
  }
  return ReadFileBytes(file, &error);
}

bool ReadRecord(const std::filesystem::path& file, AdventureRecord& record, std::ostream& err) {
  std::string error;
  std::vector<uint8_t> bytes = ReadFile(file, error);
  if (!error.empty()) {
    err << error << "\n";
    return false;
  }
  Parsed<AdventureRecord> parsed = ParseAdventure(bytes);
  if (!parsed) {
    err << file.string() << ": " << parsed.Error << "\n";
    return false;
  }
  record = std::move(*parsed.Value);
  return true;
}

// Written through a temporary file: a missing folder is named as the user gave it.
bool FolderExists(const std::filesystem::path& file, std::ostream& err) {
  const std::filesystem::path folder = file.parent_path();
  std::error_code ec;
  if (folder.empty() || std::filesystem::is_directory(folder, ec)) return true;
  err << "Cannot write " << file.string() << ": there is no folder " << folder.string() << "\n";
  return false;
}

int Unpack(const std::filesystem::path& file, const std::filesystem::path& dir, bool force,
           std::ostream& out, std::ostream& err) {
  AdventureRecord record;
  if (!ReadRecord(file, record, err)) return kFailed;
  std::error_code ec;
  if (!force && std::filesystem::exists(dir / kSourceFileName, ec)) {
    err << (dir / kSourceFileName).string()
        << " exists already; unpack with --force to replace it\n";
    return kFailed;
  }
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    err << "Cannot make the folder " << dir.string() << ": " << ec.message() << "\n";
    return kFailed;
  }
  std::string source = WriteAdventureSource(record);
  std::string error;
  std::filesystem::path target = dir / kSourceFileName;
  if (!WriteFileBytes(target, std::span(reinterpret_cast<const uint8_t*>(source.data()), source.size()),
                      &error)) {
    err << error << "\n";
    return kFailed;
  }
  out << "Wrote " << target.string() << "\n";
  return kOk;
}

int Pack(const std::filesystem::path& dir, const std::filesystem::path& file, std::ostream& out,
         std::ostream& err) {
  std::filesystem::path sourcePath = dir / kSourceFileName;
  std::string error;
  std::vector<uint8_t> text = ReadFile(sourcePath, error);
  if (!error.empty()) {
    err << error << "\n";
    return kFailed;
  }
  std::vector<std::string> warnings;
  Parsed<AdventureRecord> record = ReadAdventureSource(
      std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), &warnings);
  if (!record) {
    err << sourcePath.string() << ", " << record.Error << "\n";
    return kFailed;
  }
  for (const std::string& warning : warnings) err << "warning: " << sourcePath.string() << ", " << warning << "\n";
  if (!FolderExists(file, err)) return kFailed;
  std::vector<uint8_t> bytes = SerialiseAdventure(*record.Value);
  if (!WriteFileBytes(file, bytes, &error)) {
    err << error << "\n";
    return kFailed;
  }
  out << "Wrote " << file.string() << " (" << bytes.size() << " bytes)\n";
  for (const AdventureProblem& problem : CheckAdventure(*record.Value)) {
    err << "warning: " << DescribeProblem(problem) << "\n";
  }
  return kOk;
}

int Check(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  AdventureRecord record;
  if (!ReadRecord(file, record, err)) return kFailed;
  std::vector<AdventureProblem> problems = CheckAdventure(record);
  for (const AdventureProblem& problem : problems) out << DescribeProblem(problem) << "\n";
  if (problems.empty()) {
    out << file.filename().string() << ": no problems in " << PlayedLevelCount(record)
        << " level(s)\n";
    return kOk;
  }
  out << file.filename().string() << ": " << problems.size() << " problem(s)\n";
  return kProblems;
}

bool ReadCount(const std::string& text, int low, int high, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

int Prove(const std::vector<std::string>& args, const std::filesystem::path& gameDir, std::ostream& out,
          std::ostream& err) {
  ProveOptions options;
  options.GameDir = gameDir;
  for (size_t i = 2; i < args.size(); i += 2) {
    const bool level = args[i] == "--level", seeds = args[i] == "--seeds";
    if ((!level && !seeds) || i + 1 >= args.size() ||
        !ReadCount(args[i + 1], 1, level ? kMaxLevels : 1000, level ? options.Level : options.Seeds)) {
      err << kHelp;
      return kFailed;
    }
  }
  AdventureRecord record;
  if (!ReadRecord(args[1], record, err)) return kFailed;
  if (options.Level > PlayedLevelCount(record)) {
    err << args[1] << " has " << PlayedLevelCount(record) << " level(s), no level " << options.Level << "\n";
    return kFailed;
  }
  // The game plays what it would make of the file when loading it.
  PrepareForPlay(record);
  return ProveAdventure(record, options, out, err);
}

}  // namespace

int RunAdventureTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::filesystem::path& gameDir) {
  const std::string command = args.empty() ? "" : args[0];
  if (args.size() == 1 && (command == "--help" || command == "-h" || command == "help")) {
    out << kHelp;
    return kOk;
  }
  if (args.size() == 1 && command == "--version") {
    out << "plumix-adventure (Plumix Adventure) " PLUMIX_VERSION "\n";
    return kOk;
  }
  const bool force = args.size() == 4 && args[3] == "--force";
  if (command == "unpack" && (args.size() == 3 || force)) return Unpack(args[1], args[2], force, out, err);
  if (command == "pack" && args.size() == 3) return Pack(args[1], args[2], out, err);
  if (command == "check" && args.size() == 2) return Check(args[1], out, err);
  if (command == "prove" && args.size() >= 2) return Prove(args, gameDir, out, err);
  if (command == "unpack" || command == "pack" || command == "check" || command == "prove") {
    err << kHelp;
  } else {
    err << "plumix-adventure: unknown command; try plumix-adventure --help\n";
  }
  return kFailed;
}

}  // namespace plumix

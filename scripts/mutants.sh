#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants faults in the rules that matter most, one at a time, in a copy of the
# tree, and tells for each whether the tests catch it.
#
#   scripts/mutants.sh                 # every mutant
#   scripts/mutants.sh lock-score wind # only these (names from the list below)
#   scripts/mutants.sh --list          # the names
#   scripts/mutants.sh --all-tests ... # run the whole test program, not the mutant's suites
#
# The copy lives in build-mutants/tree with its own build directory; ccache
# makes its first build cheap and every later one recompiles only the changed
# file. A mutant runs the test program (no shell scripts) on the suites that
# could catch it, stops at the first failure and has a time limit. A mutant
# whose original text is no longer in its file is reported "stale", never
# "caught": the list must follow the code. Exit status 1 when any mutant is
# missed or stale.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 - "$root" "$@" <<'PY'
import os, re, subprocess, sys, time, shutil

ROOT = sys.argv[1]
args = sys.argv[2:]
WORK = os.environ.get("PLUMIX_MUTANTS_DIR", os.path.join(ROOT, "build-mutants"))
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(TREE, "build")
LIMIT = int(os.environ.get("PLUMIX_MUTANT_SECONDS", "300"))

# The suites that could catch a fault of each area.
ENGINE = ("Board*:DrawPlayfield*:ElementQueue*:ElementKinds*:Moves*:PlayFrameTest*:SlowFrameRate*:"
          "ClearFullRows*:MirrorBoard*:ResolveLinesTest*:RowTest*:RocketTest*:SpecialsTest*:PlayKeys*:WholeGame*")
SPECIALS = "SpecialsTest*:DisasterTest*:RocketTest*:ResolveLinesTest*:PlayFrameTest*:WholeGame*"
RECORDS = ("SettingsFile*:SettingsRecord*:SettingsGame*:KeyAssignments*:AdventureRecord*:AdventureGame*:"
           "AdventureLoad*:AdventureScan*:HighScore*:EndScreens*:DamagedFiles*:PlayerFolders*:WholeGame*:"
           "AdventureTool*:EditorModel*")
SAVE = "SaveFile*:SettingsFile*:HighScoreFile*:DamagedFiles*:PlayerFolders*:EditorModel*:AdventureTool*"
KEYS = ("OptionsPanel*:OptionsPage*:KeyAssignments*:GlobalKeys*:PlayKeys*:ScreenKeys*:Gamepad*:SettingsGame*:"
        "MainMenu*")
EDITOR = "EditorModel*:EditorFiles*:EditorTools*:GoldenEditor*:AdventureCheck*:AdventureTool*"

# name, file, suites, original text (exactly once in the file), replacement
MUTANTS = [
    # Scoring and line clearing
    ("lock-score", "src/engine/play_frame.cpp", ENGINE,
     "AddScore(game, e.Value + play.Speed);", "AddScore(game, e.Value);"),
    ("line-score", "src/engine/lines.cpp", ENGINE,
     "AddScore(game, kPointsPerLine * play.LinesCleared);", "AddScore(game, 40 * play.LinesCleared);"),
    ("level-scores", "src/engine/lines.cpp", ENGINE + ":" + RECORDS,
     "game.Adv.LevelScores[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)] += points;",
     "game.Adv.LevelScores[1] += points;"),
    ("plumix-reward-once", "src/engine/lines.cpp", ENGINE,
     "if (!plumix.PlumixMode || plumix.Earned[lines]) return;", "if (!plumix.PlumixMode) return;"),
    ("plumix-four-reward", "src/engine/lines.cpp", ENGINE,
     "} else if (!plumix.Earned[4]) {", "} else {"),
    ("row-of-walls-full", "src/engine/lines.cpp", ENGINE,
     "filled = filled || code == kBlock || IsSpecialCode(code);", "filled = true;"),
    ("speed-past-maximum", "src/engine/lines.cpp", ENGINE,
     "level.MaximalSpeed > play.Speed &&", "level.MaximalSpeed >= play.Speed &&"),
    ("speed-fall-interval", "src/engine/lines.cpp", ENGINE,
     "play.FallInterval = frameScale / (play.Speed + 1);", "play.FallInterval = frameScale / (play.Speed + 2);"),
    # Falling and blocking
    ("edges-stop-nothing", "src/engine/board.cpp", ENGINE,
     "return code == kBlock || code == kEdge || code >= kFirstSpecial;", "return code == kBlock || code >= kFirstSpecial;"),
    ("top-out-row", "src/engine/board.cpp", ENGINE,
     "const int row = std::clamp(entryRow, 1, kBoardSize);", "const int row = std::clamp(entryRow + 1, 1, kBoardSize);"),
    ("turn-through-cells", "src/engine/moves.cpp", ENGINE,
     "turned.Shape[i] = e.Shape[i] | next.Shape[i];", "turned.Shape[i] = next.Shape[i];"),
    ("gravity-late", "src/engine/play_frame.cpp", ENGINE,
     "if (play.FallCounter >= play.FallInterval && CanMove(play, board, \"Down\")) {",
     "if (play.FallCounter > play.FallInterval && CanMove(play, board, \"Down\")) {"),
    ("fall-interval", "src/engine/play_frame.cpp", ENGINE,
     "return frameScale / (speed + 1); }", "return frameScale / (speed + 2); }"),
    ("side-repeat", "src/engine/play_frame.cpp", ENGINE,
     "RepeatSetting(game.Settings.LRSpeed, 25) * frameScale / 500.0;",
     "RepeatSetting(game.Settings.LRSpeed, 25) * frameScale / 450.0;"),
    ("down-repeat", "src/engine/play_frame.cpp", ENGINE,
     "RepeatSetting(game.Settings.DropSpeed, 20) * frameScale / 5000.0;",
     "RepeatSetting(game.Settings.DropSpeed, 20) * frameScale / 4000.0;"),
    ("lock-in-start-phase", "src/engine/play_frame.cpp", ENGINE,
     "play.PrepareCounter >= kPrepareFrames && landed", "landed"),
    # Specials and disasters
    ("tablet-retires-early", "src/adventure/specials.cpp", SPECIALS,
     "return s.AlcoholLevel == 0 ? SpecialCellCode(kind) : 0;", "return SpecialCellCode(kind);"),
    ("repair-undoes-nothing", "src/adventure/specials.cpp", SPECIALS,
     "        UndoTopDamage(game);\n        --s.DamageLevel;", "        --s.DamageLevel;"),
    ("laser-past-five", "src/adventure/specials.cpp", SPECIALS,
     "s.LaserBeams = std::min(kMaxLaserBeams, s.LaserBeams + 1);", "s.LaserBeams = s.LaserBeams + 1;"),
    ("level-completed-common", "src/adventure/specials.cpp", SPECIALS,
     "if (k == kLevelCompletedSpecial && game.Rng(5) > 0)", "if (k == kLevelCompletedSpecial && game.Rng(5) > 4)"),
    ("virus-strikes-always", "src/engine/play_frame.cpp", SPECIALS,
     "if (game.Specials.VirusPresent && game.Specials.VirusStrike && !shooting) {",
     "if (game.Specials.VirusPresent && !shooting) {"),
    ("quake-jolts-often", "src/adventure/disasters.cpp", SPECIALS,
     "return rng(rng(10)) == 0 ? rng(30) : 15;", "return rng(rng(5)) == 0 ? rng(30) : 15;"),
    ("wind-rows", "src/adventure/disasters.cpp", SPECIALS,
     "if (row < y || row > y + 2) return;", "if (row < y || row > y + 3) return;"),
    ("fire-burns-walls", "src/adventure/disasters.cpp", SPECIALS,
     "return board[cx][cy].Code == kBlock; }", "return board[cx][cy].Code != kEmpty; }"),
    ("lightning-in-element", "src/adventure/disasters.cpp", SPECIALS,
     "level.Board[cx][cy].Code == kEmpty && !UnderFallingElement(game, cx, cy);",
     "level.Board[cx][cy].Code == kEmpty;"),
    # The settings and adventure records
    ("switch-exactly-one", "src/settings/settings_file.cpp", RECORDS,
     "s.MusicOff = bytes[kMusicOff] != 0;", "s.MusicOff = bytes[kMusicOff] == 1;"),
    ("settings-tail-lost", "src/settings/settings_file.cpp", RECORDS,
     "if (old.size() > kSettingsFileSize) bytes.insert(", "if (false) bytes.insert("),
    ("last-level-byte", "src/adventure/adventure_file.cpp", RECORDS,
     "adventure.LastLevelIndex = in.U8(kLastLevelIndex);", "adventure.LastLevelIndex = in.U8(kLastLevelIndex + 1);"),
    ("record-score-unwritten", "src/adventure/adventure_file.cpp", RECORDS,
     "  out.I32(kRecordScoreOffset, level.RecordScore);\n", ""),
    ("high-score-tie-ahead", "src/adventure/adventure_list.cpp", RECORDS,
     "while (state.Score <= table[place].Score) ++place;", "while (state.Score < table[place].Score) ++place;"),
    ("high-score-twice", "src/adventure/adventure_list.cpp", RECORDS,
     "if (state.SaveCount >= 2) return false;", "if (state.SaveCount >= 3) return false;"),
    ("record-scores-any-place", "src/adventure/adventure_list.cpp", RECORDS,
     "state.HighScoreRank == 1 ? &state.LevelScores : nullptr", "state.HighScoreRank >= 1 ? &state.LevelScores : nullptr"),
    # The safe save
    ("protected-overwritten", "src/media/files.cpp", SAVE,
     "if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;", ""),
    ("mode-lost", "src/media/files.cpp", SAVE,
     "if (existed && ::fchmod(fd, info.st_mode & 07777) != 0) {", "if (false) {"),
    ("link-replaced", "src/media/files.cpp", SAVE,
     "  std::filesystem::path target = FollowLinks(path);\n  std::string name",
     "  std::filesystem::path target = path;\n  std::string name"),
    ("save-in-place", "src/media/files.cpp", SAVE,
     "std::filesystem::path temp = folder / (\".\" + target.filename().string() + \".saving\");",
     "std::filesystem::path temp = target;"),
    # Key capture
    ("alt-taken-at-once", "src/options/options_panel.cpp", KEYS,
     "return key == kVkShift || key == kVkControl || key == kVkMenu; }", "return key == kVkShift || key == kVkControl; }"),
    ("f1-captured", "src/options/options_panel.cpp", KEYS,
     "    } else if (key == kVkF1) {\n      BtnSaveClick(game);", "    } else if (false) {\n      BtnSaveClick(game);"),
    ("action-keys-swapped", "src/settings/settings_file.cpp", KEYS,
     "{&settings.KeyAction, InputButton1},   {&settings.KeySpeedUp, InputButton2},",
     "{&settings.KeyAction, InputButton2},   {&settings.KeySpeedUp, InputButton1},"),
    ("pause-key-ignored", "src/app/keys.cpp", KEYS,
     "} else if (Is(key, game.Settings.KeyPause) || key == kVkEscape) {", "} else if (key == kVkEscape) {"),
    # The editor's save and its guards
    ("editor-saves-broken-level", "src/editor/editor_model.cpp", EDITOR,
     "return problem.Level >= 1; }", "return problem.Level >= 2; }"),
    ("editor-loses-high-scores", "src/editor/editor_model.cpp", EDITOR,
     "      PatchHighScores(bytes, *onDisk.Value, nullptr);\n", ""),
    ("editor-stays-dirty", "src/editor/editor_model.cpp", EDITOR,
     "  Dirty = false;\n  result.Saved = true;", "  result.Saved = true;"),
    ("editor-guard-discards", "src/editor/editor_files.cpp", EDITOR,
     "  if (!Model.Dirty) {\n    then();", "  if (true) {\n    then();"),
    ("editor-save-as-replaces", "src/editor/editor_files.cpp", EDITOR,
     "if (fs::exists(path, ec) && !SameFile(path, Model.Path)) {", "if (false) {"),
    ("editor-saves-elsewhere", "src/editor/editor_files.cpp", EDITOR,
     "  } else {\n    SaveTo(Model.Path, false);", "  } else {\n    SaveAs();"),
    ("editor-forces-changed", "src/editor/editor_files.cpp", EDITOR,
     "warned_ && *warned_ == Model.Adventure && !warnedPath_.empty()", "warned_ && !warnedPath_.empty()"),
    # What the player has: a release's update and every way of quitting
    ("update-drops-scores", "src/adventure/adventure_update.cpp", RECORDS,
     "    std::copy_n(playersTable, kHighScoreTableSize, result.begin() + kHighScoresOffset);\n", ""),
    ("release-record-ignored", "src/adventure/adventure_update.cpp", RECORDS,
     "!sameFirstPlace && FirstPlaceScore(players) >= FirstPlaceScore(shipped);", "!sameFirstPlace;"),
    ("quit-without-saving", "src/app/main_form.cpp", KEYS,
     "  if (Shell.Terminated) return;\n  SaveSettings(*this);", "  if (Shell.Terminated) return;"),
]

all_tests = "--all-tests" in args
args = [a for a in args if a != "--all-tests"]
if "--list" in args:
    for m in MUTANTS:
        print(m[0])
    sys.exit(0)
names = {m[0] for m in MUTANTS}
unknown = [a for a in args if a not in names]
if unknown:
    sys.exit("unknown mutant: " + ", ".join(unknown))
chosen = [m for m in MUTANTS if not args or m[0] in args]

def sync_tree():
    """The working tree (tracked and new files) into TREE; unchanged files keep their time."""
    files = subprocess.run(["git", "-C", ROOT, "ls-files", "-co", "--exclude-standard", "-z"],
                           check=True, capture_output=True).stdout.decode().split("\0")
    wanted = set(f for f in files if f and os.path.isfile(os.path.join(ROOT, f)))
    for rel in wanted:
        src, dst = os.path.join(ROOT, rel), os.path.join(TREE, rel)
        with open(src, "rb") as f:
            data = f.read()
        if os.path.exists(dst) and not os.path.islink(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, "wb") as f:
            f.write(data)
        shutil.copymode(src, dst)
    for base, dirs, fs in os.walk(TREE):
        rel_base = os.path.relpath(base, TREE)
        if rel_base == "build" or rel_base.startswith("build" + os.sep):
            dirs[:] = []
            continue
        for f in fs:
            rel = os.path.normpath(os.path.join(rel_base, f))
            if rel not in wanted:
                os.remove(os.path.join(base, f))

# The same relative paths in every tree, so that ccache serves the copy from
# the work of the normal build (when that too ran with these two settings).
env = dict(os.environ, CCACHE_BASEDIR=TREE, CCACHE_NOHASHDIR="1",
           SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="dummy")

def build():
    r = subprocess.run(["cmake", "--build", BUILD, "--target", "plumix_tests", "--", "-j2"],
                       env=env, capture_output=True, text=True)
    return r.returncode == 0, r.stdout[-3000:] + r.stderr[-3000:]

def run_tests(suites):
    cmd = [os.path.join(BUILD, "tests", "plumix_tests"), "--gtest_fail_fast", "--gtest_brief=1"]
    if not all_tests:
        cmd.append("--gtest_filter=" + suites)
    else:
        cmd.append("--gtest_filter=-Soak*")
    try:
        r = subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=LIMIT,
                           cwd=os.path.join(BUILD, "tests"))
    except subprocess.TimeoutExpired:
        return "timeout", ""
    failed = re.findall(r"^\[  FAILED  \] (\S+)", r.stdout, re.M)
    return ("failed" if r.returncode != 0 else "passed"), (failed[0] if failed else "")

os.makedirs(TREE, exist_ok=True)
sync_tree()
if not os.path.exists(os.path.join(BUILD, "build.ninja")):
    subprocess.run(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"],
                   env=env, check=True, capture_output=True)
ok, log = build()
if not ok:
    sys.exit("the unchanged copy does not build:\n" + log)
# Every suite must pass unchanged, or a failure would prove nothing.
union = ":".join(sorted(set(":".join(m[2] for m in chosen).split(":"))))
state, first = run_tests(union)
if state != "passed":
    sys.exit("the unchanged tree fails its tests (" + state + " " + first + "); fix that first")

rows, bad = [], 0
for name, rel, suites, original, replacement in chosen:
    path = os.path.join(TREE, rel)
    started = time.time()
    text = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    count = text.count(original)
    if count != 1:
        result, test = ("stale" if count == 0 else "ambiguous"), ""
    else:
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text.replace(original, replacement))
            ok, log = build()
            if not ok:
                result, test = "no build", ""
            else:
                state, test = run_tests(suites)
                result = "missed" if state == "passed" else ("caught" if state == "failed" else "caught (timeout)")
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
    bad += not result.startswith("caught")
    rows.append((name, rel, result, test, time.time() - started))
    print(f"{name:28} {result:16} {test}  ({time.time() - started:.0f} s)", file=sys.stderr, flush=True)
build()  # leaves the copy's build as the tree is

print("| mutant | file | result | first failing test | s |")
print("|---|---|---|---|---|")
for name, rel, result, test, seconds in rows:
    print(f"| {name} | {rel} | {result} | {test} | {seconds:.0f} |")
caught = sum(r[2].startswith("caught") for r in rows)
print(f"\n{caught} of {len(rows)} caught ({'whole test program' if all_tests else 'suites of each area'}).")
sys.exit(1 if bad else 0)
PY

"""The puzzle tools' own logic, without the engine: names, the file format, legality, the main
line (fourth field) and the checks of a whole file. Run with the rules library's path."""

import os
import random
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "puzzles"))

import cchess  # noqa: E402
import audit_solver  # noqa: E402
import check  # noqa: E402
import collection  # noqa: E402
import generate  # noqa: E402
import legality  # noqa: E402
import names  # noqa: E402
import solution  # noqa: E402
import solver  # noqa: E402
import verify  # noqa: E402
from engine import Line, Search  # noqa: E402

MATE = None  # tarvelle-mate's path, from the command line

MATE_IN_ONE = "3k5/4a4/3P5/9/9/9/9/9/4A4/R2AK4 w"  # Ra0-a9 mates along the top rank
# The cannon's quiet f2f1, and whatever Black plays the advisor's e1f2 mates.
MATE_IN_TWO = "3aR4/9/3a1k3/9/9/9/P8/5C3/4A4/2B1KA3 w"


class NamesTest(unittest.TestCase):
    def test_lengths_read_back(self):
        for n in range(1, 100):
            self.assertEqual(names.mate_length(names.numeral(n) + "步杀 车"), n)
        for name, length in (("两步杀 车", 2), ("十步杀", 10), ("二十一步杀 马", 21),
                             ("车马冷着", None), ("十十步杀", None)):
            self.assertEqual(names.mate_length(name), length, name)

    def test_pieces_in_a_fixed_order_with_their_number(self):
        for pieces, red, expected in ((["C", "R", "R"], True, "三步杀 双车炮"),
                                      (["p", "n", "p", "p"], False, "三步杀 马三卒"),
                                      ([], True, "三步杀")):
            self.assertEqual(names.puzzle_name(3, pieces, red), expected)


class CollectionFileTest(unittest.TestCase):
    def setUp(self):
        self.dir_ = tempfile.TemporaryDirectory()
        self.path_ = os.path.join(self.dir_.name, "fens.txt")

    def tearDown(self):
        self.dir_.cleanup()

    def test_written_file_reads_back_as_gbk_with_crlf_each_field_in_its_place(self):
        entries = [("一步杀 车", collection.full_fen(MATE_IN_ONE), "a0a9", ["铁门栓", "白脸将"], 1),
                   ("两步杀", collection.full_fen(MATE_IN_TWO), None, [], 5),
                   ("开局", collection.OPENING_PUZZLE, None)]
        collection.write(self.path_, entries)
        with open(self.path_, "rb") as file:
            data = file.read()
        self.assertEqual(data.split(b"\r\n")[:2], [
            "1,一步杀 车,3k5/4a4/3P5/9/9/9/9/9/4A4/R2AK4 w - - 0 0,a0a9,铁门栓/白脸将,1"
            .encode("gbk"), f"2,两步杀,{MATE_IN_TWO} - - 0 0,,,5".encode("gbk")])
        puzzles, problems = collection.read(self.path_)
        self.assertEqual(problems, [])
        self.assertEqual([(p.number, p.name, p.fen, p.solution, p.themes, p.stars)
                          for p in puzzles],
                         [(1, *entries[0][:4], "1"), (2, *entries[1][:2], "", [], "5"),
                          (3, *entries[2], None, None)])

    def test_format_faults_are_reported(self):
        for data, fault in ((b"1,a,b\n", "line end"), (b"1,a,b,c,d,e,f\r\n", "fields"),
                            (b"1,a\r\n", "fields"), (b"2,a,b\r\n", "expected 1"),
                            ("1,一,b\r\n".encode("utf-8") + b"\xff\r\n", "not GBK")):
            with open(self.path_, "wb") as file:
                file.write(data)
            _, problems = collection.read(self.path_)
            self.assertTrue(any(fault in p for p in problems), (data, problems))

    def test_fields_with_commas_are_refused(self):
        with self.assertRaises(ValueError):
            collection.write(self.path_, [("一步杀,车", collection.full_fen(MATE_IN_ONE), None)])


class RulesTest(unittest.TestCase):
    def test_legality_beyond_the_library(self):
        # Each row is the first, legal, position changed in one way.
        for fen, fault in (
                ("3k5/4a4/9/9/9/2p6/9/4B4/4A4/3AK4 b", None),
                ("3k5/4a4/9/9/9/2p6/9/4B4/4A4/3A4K w", "K on a point it cannot reach (i0)"),
                ("3k5/4a4/9/9/4B4/2p6/9/9/4A4/3AK4 w", "B on a point"),
                ("3k5/9/4a4/9/9/2p6/9/4B4/4A4/3AK4 w", "a on a point"),
                ("3k5/4a4/9/1p7/9/2p6/9/4B4/4A4/3AK4 w", "p on a point"),
                ("9/4a4/9/9/9/2p6/9/4B4/4A4/3AK4 w", "a king is missing"),
                ("4k4/9/3a5/9/9/2p6/9/9/9/3AK4 w", "the kings face each other"),
                ("3k5/4a4/9/9/9/3R5/9/4B4/4A4/3AK4 w", "the side not to move is in check"),
                ("3k5/4a4/4N4/9/9/9/9/4B4/4A4/3AK4 w", None),  # the horse's leg is blocked
                ("3k5/4a4/9/3P5/9/3C5/9/4B4/4A4/3AK4 w", "the side not to move is in check"),
                # Both kings attacked: the side to move could not take the other king legally.
                ("3k5/4a4/9/9/9/3R5/9/4B4/4A4/3AK2r1 w", "the side not to move is in check")):
            found = legality.faults(cchess.Board(fen))
            self.assertEqual(len(found), fault is not None, (fen, found))
            self.assertTrue(fault is None or found[0].startswith(fault), (fen, found))
        with self.assertRaises(ValueError):  # more pawns than at the start: the library's
            cchess.Board("3k5/4a4/9/9/9/ppppp1p2/9/4B4/4A4/3AK4 w")

    def test_move_texts_and_turned_boards(self):
        move = cchess.parse_uci("h10h9")
        self.assertEqual((cchess.ucci_text(move), cchess.uci_text(move)), ("h9h8", "h10h9"))
        for text in ("j1a1", "a0a10", "a1", "a1a2b"):
            with self.assertRaises(ValueError, msg=text):
                cchess.parse_ucci(text)
        swapped = cchess.colours_swapped(collection.OPENING_PUZZLE)
        self.assertEqual(legality.faults(cchess.Board(swapped)), [])
        self.assertEqual(cchess.colours_swapped(swapped), " ".join(
            collection.OPENING_PUZZLE.split(" ")[:2]))

    def test_pieces_taking_part_include_the_checkers_at_the_end(self):
        self.assertEqual(solution.taking_part(MATE_IN_ONE, [cchess.parse_ucci("a0a9")]), ["R"])
        # The chariot's move makes it the screen of the cannon, which then gives check too.
        fen = "3k5/9/9/R8/9/3C5/9/9/4A4/3AK4 w"
        self.assertEqual(sorted(solution.taking_part(fen, [cchess.parse_ucci("a6d6")])),
                         ["C", "R"])


class MainLineTest(unittest.TestCase):
    def test_a_line_is_legal_ends_in_mate_and_has_the_named_length(self):
        self.assertEqual(solution.problems(MATE_IN_TWO, "f2f1 f7f8 e1f2", 2), [])
        for line, length, fault in (("f2f1 f7f8 e1f2", 3, "has 2 attacking moves"),
                                    ("a0a9", 2, "has 1 attacking moves"),
                                    ("f2f1 f7e7 e1f2", 2, "move 2 of the line: illegal"),
                                    ("f2f1 f7f8 a3a4", 2, "does not end in mate"),
                                    ("f2f1 f7f8 e1", 2, "move 3 of the line: not a move")):
            found = solution.problems(MATE_IN_TWO, line, length)
            self.assertTrue(len(found) == 1 and fault in found[0], (line, found))


class ScriptedEngine:
    """Answers each search with the next scripted (first line, second line) pair."""

    def __init__(self, *answers):
        self.answers_ = list(answers)

    def new_game(self):
        pass

    def set_multipv(self, count):
        pass

    def search(self, fen, moves=(), depth=None, nodes=None):
        first, second = self.answers_.pop(0)
        lines = {i: line for i, line in ((1, first), (2, second)) if line is not None}
        return Search(lines, first.pv[0] if first and first.pv else None, None, nodes)


def mate(moves, pv):
    return Line(moves, None, pv.split(), 0, 0)


class CheckTest(unittest.TestCase):
    """The verdict on a mate in two, the engine's answers scripted, the exact solver real."""

    def setUp(self):
        self.solver_ = solver.Solver(MATE)

    def tearDown(self):
        self.solver_.close()

    def verdict(self, moves, *answers, exact_up_to=check.EXACT_UP_TO):
        return check.check(ScriptedEngine(*answers), MATE_IN_TWO, moves, mate=self.solver_,
                           exact_up_to=exact_up_to)

    def test_the_main_line_is_the_solvers_or_else_the_engines_finished_where_it_stops(self):
        # The engine's line stops short and the engine is asked nothing more.
        verdict = self.verdict(2, (mate(2, "f3f2"), None))
        self.assertEqual(verdict.problems, [])
        self.assertEqual(solution.problems(MATE_IN_TWO, solution.text(verdict.line), 2), [])
        for answers in [(mate(2, "f3f2 f8f9 e2f3"), None)], \
                [(mate(2, "f3f2"), None), (mate(-1, "f8f9"), None), (mate(1, "e2f3"), None)]:
            verdict = check.check(ScriptedEngine(*answers), MATE_IN_TWO, 2, unique=False)
            self.assertEqual((verdict.problems, solution.text(verdict.line)),
                             ([], "f2f1 f7f8 e1f2"))

    def test_second_keys_wrong_lengths_and_other_keys_fail(self):
        full = "f3f2 f8f9 e2f3"
        for moves, answers, fault in (
                (2, [(mate(2, full), mate(2, "a4a5"))], "a3a4 also mates in 2"),
                (2, [(mate(3, full), None)], "the engine reports mate in 3, not 2"),
                (2, [(mate(2, "a4a5 f8f9"), None), (mate(-1, "f8f9"), None)],
                 "the engine's key a3a4, the exact search's f2f1"),
                (3, [], "exact search, first moves mating within 3: f2f1 in 2")):
            verdict = self.verdict(moves, *answers)
            self.assertTrue(any(fault in p for p in verdict.problems), verdict.problems)
        self.assertEqual(self.verdict(3).moves, 2)  # a mate in two, as the generator renames it
        # Beyond the exact range the solver only has to find nothing as fast.
        self.assertEqual(self.verdict(3, exact_up_to=2).problems,
                         ["exact search, first moves mating within 2: f2f1 in 2"])
        # Three keys (a king left without a move has lost), and a stored line that does not start
        # with the key.
        keys = "3k5/9/9/9/9/9/9/9/9/R3K3R w"
        self.assertEqual(check.exact_verdict(self.solver_, keys, 1).problems,
                         ["exact search, first moves mating within 1: a0a8 in 1, a0d0 in 1, "
                          "i0i8 in 1"])
        self.assertEqual(check.exact_verdict(self.solver_, MATE_IN_TWO, 2, "a3a4 f7f8 e1f2")
                         .problems, ["the line starts with a3a4, the exact search's key is f2f1"])
        # A line that plays through and mates, but whose second attacking move lets a defence
        # hold out: the kind the engine's rule against perpetual check once left in the file.
        loose = "C1Raka3/2n6/2N5b/9/4p3P/9/4P4/4B4/4A4/p2AK1B2 w"
        self.assertEqual(check.exact_verdict(self.solver_, loose, 3, "c9c8 d9e8 e0f0 e9d9 c8e8")
                         .problems, ["after c9c8 d9e8 e0f0 the defence e8d7 escapes a mate in 1"])

    def test_solver_answers_read(self):
        answer = solver.Answer("mate 2 f2f1 f7f8 e1f2 | a3a4 b3b4")
        self.assertEqual((answer.moves, answer.line, answer.keys),
                         (2, ["f2f1", "f7f8", "e1f2"], ["f2f1", "a3a4", "b3b4"]))
        self.assertEqual((solver.Answer("none 7").mates, solver.Answer("none 7").moves), (False, 7))
        self.assertEqual(solver.Answer("unknown 5000").outcome, "unknown")
        for text in ("error not a position: x", ""):
            with self.assertRaises(solver.SolverError):
                solver.Answer(text)
        with self.assertRaises(solver.SolverError):
            self.solver_.solve("not a position w", 2)

    def test_quotas_say_how_many_of_each_length_may_be_poor_in_material(self):
        quotas = generate.parse_quotas("1:4:1,8:2:2")
        self.assertEqual(quotas, {1: (4, 1), 8: (2, 2)})
        wanted = generate.wanted_of(quotas, [{"moves": 1, "defenders": 2},
                                             {"moves": 9, "defenders": 9}])
        self.assertEqual(wanted, {1: (3, 0), 8: (1, 2)})
        self.assertTrue(generate.welcome(wanted, 1, generate.RICH_PIECES))
        self.assertTrue(generate.welcome(wanted, 12, 3))
        self.assertFalse(generate.welcome(wanted, 1, generate.RICH_PIECES - 1))
        self.assertFalse(generate.welcome(wanted, 2, 9))

    def test_the_largest_share_of_a_quota_still_wanted_comes_first(self):
        quotas = generate.parse_quotas("3:40:40,8:4:4")
        kept = [{"moves": 3, "defenders": 2}] * 10
        chosen = generate.choose_candidates([(MATE_IN_TWO, 3), (MATE_IN_TWO, 9)], quotas, kept,
                                            random.Random(1))
        self.assertEqual([moves for _, moves, _ in chosen], [9, 3])

    def test_random_endings_are_legal_with_red_to_move_and_a_listed_material(self):
        materials = {"".join(sorted(m.replace("/", ""))) for m in generate.ENDGAMES}
        drawn = [generate.endgame_position(random.Random(i)) for i in range(200)]
        for fen in filter(None, drawn):
            board = cchess.Board(fen)
            self.assertEqual((board.side, legality.faults(board)), (cchess.RED, []), fen)
            self.assertIn("".join(sorted(letter for _, letter in board.pieces())), materials)
        self.assertGreater(sum(fen is not None for fen in drawn), 100)

    def test_blunders_are_the_moves_after_which_the_other_side_mates(self):
        board = cchess.Board(MATE_IN_TWO)
        engine = ScriptedEngine((mate(1, "a1a2"), None), (Line(None, 50, ["a1a2"], 0, 0), None),
                                (mate(-1, "a1a2"), None))
        found = generate.blunders(engine, board, [], random.Random(1), 3)
        self.assertEqual(board.fen(), MATE_IN_TWO)
        self.assertEqual([(fen.endswith(" b"), mate) for fen, mate in found], [(True, 1)])


class AuditTest(unittest.TestCase):
    """How the audit reads the engine's lines (ranks 1 to 10) against the solver's answer."""

    def test_differences_and_who_the_plain_search_sides_with(self):
        unique, two = solver.Answer("mate 2 f2f1 f7f8 e1f2"), solver.Answer("mate 2 f2f1 | a3a4")
        key, other = [2, None, ["f3f2", "f8f9"]], [2, None, ["a4a5"]]
        no_mate = [None, 30, ["a4a5"]]
        for answer, lines, differs in (
                (unique, [key, no_mate], None), (two, [key, other], None),
                (two, [[2, None, ["a4a5"]], key], None),
                (unique, [key, other], "second line a3a4 mates in 2"),
                (unique, [[2, None, ["b4b5"]], None], "key b3b4 is not the solver's"),
                (unique, [[3, None, ["f3f2"]], None], "reports mate in 3"),
                (unique, [no_mate, None], "reports no mate"),
                (solver.Answer("none 3"), [[4, None, ["a4a5"]], None], None),
                (solver.Answer("none 3"), [[3, None, ["a4a5"]], None], "reports mate in 3")):
            found = audit_solver.difference(answer, 3, lines)
            self.assertTrue(found is None if differs is None else differs in (found or ""),
                            (answer.text, lines, found))
        settled = [audit_solver.settled(MATE_IN_TWO, unique, [[1, None, ["a4a5"]], None], plain)
                   for plain in ("mate 2 f2f1", "mate 2 f2f1 a3a4", "none 2", None)]
        self.assertEqual([verdict for verdict, _ in settled],
                         ["set aside", "disagree", "disagree", "unsettled"])
        self.assertIn("not forced on the board", settled[0][1])
        self.assertEqual(audit_solver.settled(MATE_IN_TWO, unique, [[3, None, ["f3f2"]], None],
                                              "mate 2 f2f1")[1],
                         "the engine did not find the fastest mate")


class FileChecksTest(unittest.TestCase):
    def problems(self, rows):
        """rows: (name, FEN, main line[, patterns, stars])."""
        puzzles = [collection.Puzzle(n, row[0], row[1], n, *row[2:])
                   for n, row in enumerate(rows, 1)]
        return verify.file_problems(puzzles)[0]

    def test_whole_file_faults(self):
        opening = ("二十步杀", collection.OPENING_PUZZLE, None)
        mate = collection.full_fen(MATE_IN_ONE)
        two = collection.full_fen(MATE_IN_TWO)
        self.assertEqual(self.problems([("一步杀 车", mate, "a0a9", [], "1"), opening]),
                         ["puzzle 2 (line 2): no main line"])
        for rows, fault in (([("两步杀", two, "f2f1 f7f8 e1f2"), ("一步杀", mate, "a0a9"), opening],
                             "after one in 2"),
                            ([("一步杀", mate, "a0a9"), ("一步杀", mate, "a0a9"), opening],
                             "same position"),
                            ([("车马冷着", mate, "a0a9"), opening], "announces no mate length"),
                            ([("一步杀", mate.replace("- - 0 0", "- - 0 1"), "a0a9"), opening],
                             "0 0"),
                            ([("两步杀", mate, "a0a9"), opening], "has 1 attacking moves"),
                            ([("一步杀", mate, "a0a9")], "opening puzzle")):
            found = self.problems(rows)
            self.assertTrue(any(fault in p for p in found), (rows, found))

    def test_patterns_and_stars_on_every_line_the_opening_puzzle_may_go_without(self):
        opening = ("二十步杀", collection.OPENING_PUZZLE, None)
        # The cannon's screen is its own horse, two points from the king: 马后炮.
        horse = ("一步杀 马炮", collection.full_fen("4k4/9/4N4/9/9/9/9/C8/9/3K5 w"), "a2e2")
        for extra, fault in ((([], "1"), "the patterns none, the main line shows 马后炮"),
                             ((["马后炮", "马前卒"], "1"), "unknown patterns 马前卒"),
                             ((["马后炮"], "6"), "stars '6', not 1 to 5"),
                             ((["马后炮"], None), "stars None, not 1 to 5"),
                             ((), "no patterns and stars (annotate.py fills them in)")):
            found = self.problems([horse + extra, opening])
            self.assertEqual(found, [f"puzzle 1 (line 1): {fault}",
                                     "puzzle 2 (line 2): no main line"], extra)
        self.assertEqual(self.problems([horse + (["马后炮"], "2"), opening + ([], "5")]),
                         ["puzzle 2 (line 2): no main line"])

    def test_summary_by_length_pattern_and_stars_with_the_share_of_rich_defences(self):
        puzzles = [collection.Puzzle(1, "", "", themes=["马后炮"], stars="1"),
                   collection.Puzzle(2, "", "", themes=[], stars="4")]
        lines = verify.summary(puzzles, {1: ("4k4/9/4N4/9/9/9/9/C8/9/3K5 w", 1),
                                         2: (collection.OPENING_PUZZLE, 20)})
        self.assertEqual(lines[0], "by length: 1: 1, 20: 1")
        self.assertTrue(lines[1].startswith("by pattern: 马后炮 1, 重炮 0,")
                        and lines[1].endswith("; none 1"), lines[1])
        self.assertEqual(lines[2:], ["by stars: 1: 1, 4: 1",
                                     "defences of 7 pieces or more (the king included): 50%; "
                                     "of the king and 2 pieces or fewer: 50%"])

    def test_sample_spreads_and_keeps_the_first(self):
        self.assertEqual(verify.spread(list(range(10)), 4), [0, 2, 5, 7])
        self.assertEqual(verify.spread([1, 2], 4), [1, 2])


if __name__ == "__main__":
    cchess.load(sys.argv.pop(1))
    MATE = sys.argv.pop(1)
    unittest.main()

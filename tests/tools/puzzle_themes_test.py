"""The puzzle tools' mating patterns, stars and annotation: each pattern on a small mate that
shows it and one that nearly does, the difficulty measures on hand-counted lines, and the
annotation's effort cache. Run with the rules library's and the solver's paths."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "puzzles"))

import annotate  # noqa: E402
import cchess  # noqa: E402
import collection  # noqa: E402
import difficulty  # noqa: E402
import legality  # noqa: E402
import solver  # noqa: E402
import themes  # noqa: E402

MATE = None  # tarvelle-mate's path, from the command line

# (pattern, position, main line, whether the mate shows the pattern); every near miss is a mate
# too, one detail away: another piece, point or mover.
EXAMPLES = [
    ("马后炮", "4k4/9/4N4/9/9/9/9/C8/9/3K5 w", "a2e2", True),
    ("马后炮", "3aka3/3PN4/9/9/9/9/9/C8/9/3K5 w", "a2e2", False),  # the horse beside the king
    ("重炮", "3aka3/9/9/4C4/9/9/9/C8/9/3K5 w", "a2e2", True),
    ("重炮", "4k4/9/4N4/9/9/9/9/C8/9/3K5 w", "a2e2", False),
    ("闷宫", "3ak4/4a4/9/9/9/9/2C6/9/9/3K5 w", "c3c9", True),
    ("闷宫", "3ak4/3Pn4/9/9/9/9/2C6/9/9/3K5 w", "c3c9", False),  # a horse blocks, no advisor
    ("铁门栓", "4k4/4a4/4b4/9/9/9/4C4/9/9/R4K3 w", "a0a9", True),
    ("铁门栓", "3k5/9/1N7/9/9/9/9/9/9/R3K4 w", "a0a9", False),  # the king off the central file
    ("铁门栓", "3ak4/9/2N6/9/9/9/9/9/4A4/4K1R2 w", "g0g9", False),  # the king pins its own piece
    ("双车错", "4k4/R8/9/9/9/9/9/9/9/1R1K5 w", "b0b9", True),
    ("双车错", "3k5/9/9/9/2R6/9/9/9/R8/4K4 w", "a1d1", False),  # the next file lies outside
    ("卧槽马", "3aka3/9/4P4/7N1/9/9/9/9/9/3K5 w", "h6g8", True),
    ("卧槽马", "9/4k1N2/9/9/9/9/9/9/9/R2K5 w", "a0a8", True),  # the horse takes e9 and e7
    ("卧槽马", "3ak1P2/4a4/9/9/4N4/9/9/9/9/4K4 w", "e5f7", False),
    ("挂角马", "3ak1P2/4a4/9/9/4N4/9/9/9/9/4K4 w", "e5f7", True),
    ("挂角马", "3aka3/9/4P4/7N1/9/9/9/9/9/3K5 w", "h6g8", False),
    ("钓鱼马", "4k4/9/6N2/9/9/9/9/9/9/R2K5 w", "a0a9", True),
    ("钓鱼马", "5k3/9/5P3/9/7N1/9/9/9/9/4K4 w", "h5g7", False),  # the horse mates itself
    ("高钓马", "9/9/3k5/2N6/9/9/9/9/9/R4K3 w", "a0a7", True),
    ("高钓马", "R8/3k5/R8/9/9/1N7/9/9/9/4K4 w", "b4c6", False),
    ("八角马", "3k5/9/5N3/9/9/9/9/9/9/R4K3 w", "a0a9", True),
    ("八角马", "3k5/5n3/5N3/9/9/9/9/9/9/R3K4 w", "a0a9", False),  # one leg blocked
    ("白脸将", "5k3/9/5P3/9/7N1/9/9/9/9/4K4 w", "h5g7", True),
    ("白脸将", "3k5/9/1N7/9/9/9/9/9/9/R3K4 w", "a0a9", False),  # the chariot shares the point
    ("天地炮", "3ak4/4a4/4b4/9/9/9/4C4/9/9/C2K5 w", "a0a9", True),
    ("天地炮", "3ak4/4a4/9/9/9/9/2C6/9/9/3K5 w", "c3c9", False),
    ("大刀剜心", "2P1ka2R/R3a4/9/9/9/9/9/9/9/4K4 w", "a8e8", True),
    ("大刀剜心", "2P1ka2R/R3n4/9/9/9/9/9/9/9/4K4 w", "a8e8", False),  # a horse taken there
    ("侧面虎", "9/9/3k5/2N6/9/9/9/9/9/R4K3 w", "a0a7", True),
    ("侧面虎", "9/9/3k5/2N6/9/9/9/9/9/5K2R w", "i0i7", False),  # chariot and horse apart
    ("海底捞月", "3P4R/4k4/5P3/9/9/9/9/9/9/3K5 w", "i9e9", True),
    ("海底捞月", "9/4k4/5P3/9/R8/9/9/9/9/3K5 w", "a5e5", False),  # the chariot in front
    ("二鬼拍门", "4k4/3P1P3/9/9/9/9/R8/9/9/3K5 w", "a3e3", True),
    ("二鬼拍门", "4k1P2/3P5/9/9/9/9/R8/9/9/3K5 w", "a3e3", False),
    ("拔簧马", "3aka3/5R3/4PN3/9/9/9/9/9/9/3K5 w", "f8e8", True),
    ("拔簧马", "3aka3/5P3/4PN3/9/9/9/9/9/9/3K5 w", "f8e8", False),  # a pawn leaves the leg
    ("车马冷着", "4k4/9/9/4N4/9/9/8p/9/9/R2K5 w", "e6g7 i3i2 a0a9", True),
    ("车马冷着", "4k4/9/6N2/9/9/9/8p/9/9/R2K5 w", "d0d1 i3i2 a0a9", False),  # the king's move
    ("老兵擒王", "2P1ka3/4a4/9/9/9/9/9/9/9/3RK4 w", "c9d9", True),
    ("老兵擒王", "4k4/9/2N1P4/9/9/9/9/9/9/3K1R3 w", "e7e8", False),
    ("空头炮", "3aka3/R8/9/7N1/4C4/9/9/9/9/3K5 w", "h6g8", True),
    ("空头炮", "3aka3/9/9/4C4/9/9/9/C8/9/3K5 w", "a2e2", False),  # it is the screen
    ("困毙", "3k5/3rR4/9/9/9/9/9/3A1K3/3C5/3A5 w", "d1d8", True),
    ("困毙", "4k4/R8/9/9/9/9/9/9/9/1R1K5 w", "b0b9", False),
    ("炮辗丹砂", "2bk2C2/4R4/9/9/9/9/9/9/9/4K4 w", "g9c9", True),
    ("炮辗丹砂", "2bk5/4R4/9/9/2P6/9/2C6/9/9/4K4 w", "c3c9", False),  # over its own pawn
]


class ThemesTest(unittest.TestCase):
    def test_each_pattern_on_a_mate_that_shows_it_and_one_that_nearly_does(self):
        for name, fen, line, shows in EXAMPLES:
            self.assertEqual(legality.faults(cchess.Board(fen)), [], fen)
            self.assertEqual(name in themes.themes(fen, line), shows, (name, fen, line))
        self.assertEqual({(name, shows) for name, _, _, shows in EXAMPLES},
                         {(name, shows) for name in themes.PATTERNS for shows in (True, False)})

    def test_black_attacking_is_read_as_red_and_a_line_must_mate(self):
        # The 车马冷着 mate with the colours swapped and the board turned over.
        fen = cchess.colours_swapped("4k4/9/9/4N4/9/9/8p/9/9/R2K5 w")
        self.assertEqual(themes.themes(fen, "e3g2 i6i7 a9a0"), ["钓鱼马", "车马冷着"])
        with self.assertRaises(ValueError):
            themes.themes("4k4/9/9/4N4/9/9/8p/9/9/R2K5 w", "e6g7")


class DifficultyTest(unittest.TestCase):
    def test_measures_of_hand_counted_lines(self):
        for fen, line, counted in (
                # A check that mates: nothing quiet, given or branching.
                ("3k5/4a4/3P5/9/9/9/9/9/4A4/R2AK4 w", "a0a9", (1, 0, 0, 0)),
                # The horse's quiet move, after which the pawn takes an elephant.
                ("4k4/9/9/4N4/9/9/8p/8B/9/R2K5 w", "e6g7 i3i2 a0a9", (2, 1, 1, 0)),
                # Both of the king's steps after the chariot's check need two more moves.
                ("4k4/4aR3/2r1N4/3PC4/9/2B6/9/4B4/9/4K4 w", "f8e8 e9f9 e8e9 f9f8 e9f9",
                 (3, 0, 0, 2))):
            m = difficulty.measure(fen, line)
            self.assertEqual((m.length, m.quiet, m.sacrifices, m.branching), counted, line)

    def test_stars_rise_with_every_measure_from_one_to_five(self):
        easy = difficulty.Measures(1, 0, 0, 0, nodes=2)
        self.assertEqual(difficulty.stars(easy), 1)
        self.assertEqual(difficulty.stars(difficulty.Measures(9, 4, 3, 60, nodes=10 ** 7)), 5)
        for harder in (difficulty.Measures(2, 0, 0, 0, 2), difficulty.Measures(1, 1, 0, 0, 2),
                       difficulty.Measures(1, 0, 1, 0, 2), difficulty.Measures(1, 0, 0, 3, 2),
                       difficulty.Measures(1, 0, 0, 0, 200)):
            self.assertGreater(difficulty.points(harder), difficulty.points(easy))
        with self.assertRaises(ValueError):
            difficulty.stars(difficulty.Measures(1, 0, 0, 0))


class NoSolver:
    def solve(self, fen, moves):
        raise AssertionError(f"the solver was asked about {fen}")


class AnnotateTest(unittest.TestCase):
    SHIPPED = os.path.join(os.path.dirname(__file__), "..", "..", "assets", "fens.txt")

    def setUp(self):
        self.dir_ = tempfile.TemporaryDirectory()
        self.cache_ = os.path.join(self.dir_.name, "efforts.jsonl")

    def tearDown(self):
        self.dir_.cleanup()

    def test_efforts_are_asked_once_and_the_opening_puzzle_has_five_stars_unasked(self):
        with open(self.cache_, "w", encoding="utf-8") as file:
            file.write('{"fen": "cut short')  # what a stopped run may leave
        opening = collection.read(self.SHIPPED)[0][-1]
        entries = [("一步杀 车", "4k4/R8/9/9/9/9/9/9/9/1R1K5 w - - 0 0", "b0b9"),
                   (opening.name, opening.fen, opening.solution)]
        with solver.Solver(MATE, stats=True) as mate:
            first = annotate.annotate(entries, mate, annotate.EffortCache(self.cache_))
        again = annotate.annotate(entries, NoSolver(), annotate.EffortCache(self.cache_))
        self.assertEqual([a.row for a in again], [a.row for a in first])
        self.assertEqual(first[0].row[3:], (["双车错"], 1))
        self.assertGreater(first[0].measures.nodes, 0)
        self.assertEqual((first[1].stars, first[1].measures.nodes), (5, None))
        with self.assertRaises(ValueError):  # no main line to read patterns from
            annotate.annotate([(opening.name, opening.fen, None)], NoSolver())

    def test_the_table_by_stars_fails_when_effort_or_quiet_share_falls(self):
        def puzzle(stars, nodes, quiet):
            return annotate.Annotated("", "", "", [], difficulty.Measures(2, quiet, 0, 0, nodes),
                                      stars)
        rows, rising = annotate.star_table([puzzle(1, 10, 0), puzzle(1, 30, 1), puzzle(3, 90, 2)])
        self.assertEqual((rows, rising), ([(1, 2, 20, 0.25), (3, 1, 90, 1.0)], True))
        for falling in ([puzzle(1, 10, 0), puzzle(2, 5, 1)], [puzzle(1, 10, 1), puzzle(2, 50, 1)]):
            self.assertFalse(annotate.star_table(falling)[1])


if __name__ == "__main__":
    cchess.load(sys.argv.pop(1))
    MATE = sys.argv.pop(1)
    unittest.main()

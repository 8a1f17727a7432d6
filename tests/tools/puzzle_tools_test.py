"""The puzzle tools' own logic, without the engine: names, the file format and the checks of a
whole file that the engine does not make."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "puzzles"))

import check  # noqa: E402
import collection  # noqa: E402
import names  # noqa: E402
import verify  # noqa: E402
import xiangqi  # noqa: E402

MATE_IN_ONE = "3k5/4a4/3P5/9/9/9/9/9/4A4/R2AK4 w"  # Ra1-a10 mates along the top rank


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

    def write_bytes(self, data):
        with open(self.path_, "wb") as file:
            file.write(data)

    def test_written_file_reads_back_as_gbk_with_crlf(self):
        entries = [("一步杀 车", collection.full_fen(MATE_IN_ONE)), ("开局", collection.OPENING_PUZZLE)]
        collection.write(self.path_, entries)
        with open(self.path_, "rb") as file:
            data = file.read()
        self.assertEqual(data.count(b"\r\n"), 2)
        self.assertIn("一步杀".encode("gbk"), data)
        puzzles, problems = collection.read(self.path_)
        self.assertEqual(problems, [])
        self.assertEqual([(p.number, p.name, p.fen) for p in puzzles],
                         [(1, *entries[0]), (2, *entries[1])])

    def test_format_faults_are_reported(self):
        for data, fault in ((b"1,a,b\n", "line end"), (b"1,a,b,c\r\n", "fields"),
                            (b"1,a\r\n", "fields"), (b"2,a,b\r\n", "expected 1"),
                            ("1,一,b\r\n".encode("utf-8") + b"\xff\r\n", "not GBK")):
            self.write_bytes(data)
            _, problems = collection.read(self.path_)
            self.assertTrue(any(fault in p for p in problems), (data, problems))

    def test_names_with_commas_are_refused(self):
        with self.assertRaises(ValueError):
            collection.write(self.path_, [("一步杀,车", collection.full_fen(MATE_IN_ONE))])


class FileChecksTest(unittest.TestCase):
    def problems(self, rows):
        puzzles = [collection.Puzzle(n, name, fen, n) for n, (name, fen) in enumerate(rows, 1)]
        return verify.file_problems(puzzles)[0]

    def test_whole_file_faults(self):
        opening = ("二十步杀", collection.OPENING_PUZZLE)
        mate = collection.full_fen(MATE_IN_ONE)
        self.assertEqual(self.problems([("一步杀 车", mate), opening]), [])
        for rows, fault in (([("两步杀", mate), ("一步杀", mate.replace("R2A", "1R1A")), opening],
                             "after one in 2"),
                            ([("一步杀", mate), ("一步杀", mate), opening], "same position"),
                            ([("车马冷着", mate), opening], "announces no mate length"),
                            ([("一步杀", mate.replace("- - 0 0", "- - 0 1")), opening], "0 0"),
                            ([("一步杀", mate.replace("R2AK4", "R2A4K")), opening], "cannot reach"),
                            ([("一步杀", mate)], "opening puzzle")):
            found = self.problems(rows)
            self.assertTrue(any(fault in p for p in found), (rows, found))

    def test_sample_spreads_and_keeps_the_first(self):
        self.assertEqual(verify.spread(list(range(10)), 4), [0, 2, 5, 7])
        self.assertEqual(verify.spread([1, 2], 4), [1, 2])


class PositionTest(unittest.TestCase):
    def test_moves_up_to_the_tenth_rank(self):
        self.assertEqual(xiangqi.parse_move("h10h9"), ((0, 7), (1, 7)))
        self.assertEqual(xiangqi.parse_move("a1a10"), ((9, 0), (0, 0)))

    def test_swapping_colours_twice_gives_the_position_back(self):
        position = xiangqi.Position.from_fen(collection.OPENING_PUZZLE)
        swapped = position.colours_swapped()
        self.assertEqual(swapped.side, xiangqi.BLACK)
        self.assertEqual(swapped.faults(), [])
        self.assertEqual(swapped.colours_swapped().fen(), position.fen())

    def test_pieces_taking_part_include_the_checkers_at_the_end(self):
        position = xiangqi.Position.from_fen(MATE_IN_ONE)
        self.assertEqual(check.taking_part(position, ["a1a10"], 1), ["R"])
        # The chariot's move makes it the screen of the cannon, which then gives check too.
        position = xiangqi.Position.from_fen("3k5/9/9/R8/9/3C5/9/9/4A4/3AK4 w")
        self.assertEqual(sorted(check.taking_part(position, ["a7d7"], 1)), ["C", "R"])


if __name__ == "__main__":
    unittest.main()

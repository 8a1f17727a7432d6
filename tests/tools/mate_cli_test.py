"""tarvelle-mate as the puzzle tools and a user run it: one answer a line on standard output, the
search's figures on standard error with --stats, exit status 2 and one line for a bad command."""

import subprocess
import sys
import unittest

BINARY = None  # from the command line

# Two first moves mate in three; Red's rook alone does not mate in one.
TWO_KEYS = "3a5/5k3/3aR4/9/9/9/P8/5C3/4A4/2B1KA3 w"
ROOKS = "3k5/9/4R4/9/9/9/9/9/9/3K1R3 w"
FIVE = "2bak4/4a2C1/4c4/3Nr4/p2R1nb1p/6p2/P7P/4BR3/4A4/4KAB2 w"


def run(args, text=""):
    return subprocess.run([BINARY] + args, input=text, capture_output=True, text=True,
                          timeout=120)


class Answers(unittest.TestCase):
    def test_each_input_line_gets_its_answer(self):
        lines = [f"{TWO_KEYS}\t3", f"{ROOKS}\t1", "no fen here", f"{ROOKS} - - 0 1\t2",
                 f"{FIVE}\t0", f"{ROOKS}\t2\r"]
        result = run(["--stats"], "\n".join(lines) + "\n")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stdout.splitlines(), [
            "mate 3 e7e9 f8f7 f2f1 f7f8 e1f2 | f2f1",
            "none 1",
            "error not a position: no fen here",
            "mate 2 e7d7 d9e9 d7d8 | d0e0",
            "error bad number of moves: 0",
            "mate 2 e7d7 d9e9 d7d8 | d0e0",
        ])
        # One line of figures for each position searched, none for the lines that were no question.
        stats = result.stderr.splitlines()
        self.assertEqual(len(stats), 4)
        for line in stats:
            self.assertRegex(line, r"^nodes \d+ ms \d+$")

    def test_a_small_budget_runs_out(self):
        result = run(["--nodes", "10"], FIVE + "\n")
        self.assertRegex(result.stdout, r"^unknown \d+\n$")

    def test_first_stops_at_the_first_mate(self):
        result = run(["--first", "--max", "3"], TWO_KEYS + "\n")
        self.assertRegex(result.stdout, r"^mate 3 (e7e9|f2f1) \S+ \S+ \S+ \S+\n$")

    def test_a_position_on_the_command_line(self):
        result = run([ROOKS, "2"])
        self.assertEqual((result.returncode, result.stdout), (0, "mate 2 e7d7 d9e9 d7d8 | d0e0\n"))


class BadCommands(unittest.TestCase):
    def test_each_ends_with_status_2_and_one_line(self):
        for args in (["--max", "16"], ["--nodes"], ["--table", "0"], ["--seconds", "-1"],
                     ["--frobnicate"], ["xyz", "2"], [ROOKS, "2", "3"]):
            with self.subTest(args=args):
                result = run(args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, "")
                self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)


if __name__ == "__main__":
    BINARY = sys.argv.pop(1)
    unittest.main()

"""tarvelle-mate, the exact mate solver, as the puzzle tools use it: one process that answers one
position at a time on its standard input, so that a worker pays the solver's start and table once.
Moves are the puzzle file's engine text (ranks 0 to 9)."""

import subprocess

# The most moves of the attacker the solver searches.
LONGEST = 15


def add_options(parser):
    """The options every puzzle tool takes: --mate, the solver, and --cchess, the rules library."""
    parser.add_argument("--mate", required=True, metavar="PATH",
                        help="the exact mate solver, tarvelle-mate")
    parser.add_argument("--cchess", metavar="PATH",
                        help="the rules library; by default libcchess.so beside tarvelle-mate")


class SolverError(RuntimeError):
    pass


class Answer:
    """One answer line: "mate n KEY LINE... [| OTHER...]", "none N" or "unknown NODES"."""

    def __init__(self, text):
        self.text = text
        words = text.split()
        if not words or words[0] not in ("mate", "none", "unknown") or len(words) < 2:
            raise SolverError(f"tarvelle-mate answered {text!r}")
        self.outcome = words[0]
        self.moves = int(words[1]) if self.outcome != "unknown" else None
        self.line, self.keys, self.nodes = [], [], None
        if self.outcome == "mate":
            bar = words.index("|") if "|" in words else len(words)
            self.line = words[2:bar]
            self.keys = self.line[:1] + words[bar + 1:]

    @property
    def mates(self):
        return self.outcome == "mate"


class Solver:
    """`seconds` and `nodes`: the search of one position at most (None: no limit), after which the
    answer is "unknown". With `stats` each answer carries the positions the search took
    (Answer.nodes), the solver's effort. With `first` a mate is the first one proven, not the
    fewest, and other keys are not looked for."""

    def __init__(self, path, seconds=None, nodes=None, stats=False, first=False):
        self.seconds, self.stats_ = seconds, stats
        command = [path] + (["--seconds", f"{seconds:g}"] if seconds else []) \
            + (["--nodes", str(nodes)] if nodes else []) + (["--stats"] if stats else []) \
            + (["--first"] if first else [])
        try:
            self.process_ = subprocess.Popen(command, stdin=subprocess.PIPE,
                                             stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                             text=True, bufsize=1)
        except OSError as error:
            raise SolverError(f"cannot start {path}: {error}") from error

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def solve(self, fen, moves):
        """The Answer for the side to move in `fen` (placement and side) mating within `moves`."""
        try:
            self.process_.stdin.write(f"{fen}\t{moves}\n")
            self.process_.stdin.flush()
            text = self.process_.stdout.readline()
        except (BrokenPipeError, OSError) as error:
            raise SolverError(f"tarvelle-mate stopped reading ({error})") from error
        if not text:
            raise SolverError(f"tarvelle-mate ended: {self.process_.stderr.read().strip()}")
        answer = Answer(text.strip())
        if self.stats_:
            # "nodes N ms T", one line an answer
            answer.nodes = int(self.process_.stderr.readline().split()[1])
        return answer

    def close(self):
        if self.process_.poll() is None:
            self.process_.stdin.close()
            try:
                self.process_.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process_.kill()
                self.process_.wait()
        self.process_.stdout.close()
        self.process_.stderr.close()

"""Fairy-Stockfish over UCI, as the puzzle tools use it: one search at a time, nothing pondered."""

import subprocess

# The program searches with this budget on its hardest level; a puzzle whose mate the engine does
# not find within it would not be solved in front of the player either.
PROGRAM_NODE_BUDGET = 10077696


class EngineError(RuntimeError):
    pass


class Line:
    """One principal variation: a mate (moves of the side to move; negative when it is mated,
    0 when it has no move) or a centipawn score."""

    def __init__(self, mate, centipawns, pv, nodes, depth):
        self.mate, self.centipawns, self.pv = mate, centipawns, pv
        self.nodes, self.depth = nodes, depth


class Search:
    def __init__(self, lines, best_move, first_mate_nodes, nodes):
        self.lines = lines  # by MultiPV index, 1 first; the last exact report of each
        self.best_move = best_move  # None when the side to move has no move
        self.first_mate_nodes = first_mate_nodes  # when line 1 first showed a win, or None
        self.nodes = nodes

    def line(self, index):
        return self.lines.get(index)


class Engine:
    def __init__(self, path, hash_mb=64):
        try:
            self.process_ = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                             stderr=subprocess.DEVNULL, text=True, bufsize=1)
        except OSError as error:
            raise EngineError(f"cannot start {path}: {error}") from error
        self.multipv_ = None
        self.send_("uci")
        self.wait_for_("uciok")
        for name, value in (("UCI_Variant", "xiangqi"), ("Threads", 1), ("Hash", hash_mb)):
            self.send_(f"setoption name {name} value {value}")
        self.set_multipv(1)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def close(self):
        if self.process_.poll() is None:
            try:
                self.send_("quit")
                self.process_.wait(timeout=5)
            except (EngineError, subprocess.TimeoutExpired):
                self.process_.kill()
                self.process_.wait()

    def send_(self, text):
        try:
            self.process_.stdin.write(text + "\n")
            self.process_.stdin.flush()
        except (BrokenPipeError, OSError) as error:
            raise EngineError(f"the engine stopped reading ({error})") from error

    def read_(self):
        line = self.process_.stdout.readline()
        if not line:
            raise EngineError("the engine closed its output")
        return line.strip()

    def wait_for_(self, first_word):
        while True:
            line = self.read_()
            if line.split(" ", 1)[0] == first_word:
                return line

    def set_multipv(self, count):
        if count != self.multipv_:
            self.send_(f"setoption name MultiPV value {count}")
            self.multipv_ = count

    def new_game(self):
        """Forgets everything learnt, so that a search's result does not depend on the ones
        before it."""
        self.send_("ucinewgame")
        self.send_("isready")
        self.wait_for_("readyok")

    def set_position_(self, fen, moves):
        text = f"position fen {fen} - - 0 1"
        if moves:
            text += " moves " + " ".join(moves)
        self.send_(text)

    def search(self, fen, moves=(), depth=None, nodes=None):
        self.set_position_(fen, moves)
        command = "go"
        if depth is not None:
            command += f" depth {depth}"
        if nodes is not None:
            command += f" nodes {nodes}"
        self.send_(command)
        lines, first_mate_nodes, total = {}, None, 0
        while True:
            line = self.read_()
            words = line.split()
            if not words:
                continue
            if words[0] == "bestmove":
                best = words[1] if len(words) > 1 and words[1] != "(none)" else None
                return Search(lines, best, first_mate_nodes, total)
            if words[0] != "info" or "score" not in words:
                continue
            if "lowerbound" in words or "upperbound" in words:
                continue
            fields = _info_fields(words)
            index = int(fields.get("multipv", "1"))
            total = int(fields.get("nodes", total))
            mate = int(fields["mate"]) if "mate" in fields else None
            centipawns = int(fields["cp"]) if "cp" in fields else None
            lines[index] = Line(mate, centipawns, fields.get("pv", []), total,
                                int(fields.get("depth", "0")))
            if index == 1 and mate is not None and mate > 0 and first_mate_nodes is None:
                first_mate_nodes = total


def _info_fields(words):
    fields, i = {}, 1
    while i < len(words):
        word = words[i]
        if word == "pv":
            fields["pv"] = words[i + 1:]
            break
        if word == "score" and i + 2 < len(words):
            fields[words[i + 1]] = words[i + 2]
            i += 3
            continue
        if i + 1 < len(words):
            fields[word] = words[i + 1]
        i += 2
    return fields

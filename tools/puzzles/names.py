"""Chinese puzzle names: the mate length and the attacking pieces that take part."""

_DIGITS = "零一二三四五六七八九"
_RED_NAMES = {"r": "车", "n": "马", "c": "炮", "p": "兵", "a": "仕", "b": "相", "k": "帅"}
_BLACK_NAMES = {"r": "车", "n": "马", "c": "炮", "p": "卒", "a": "士", "b": "象", "k": "将"}
_ORDER = "rncpabk"
_MANY = {2: "双", 3: "三", 4: "四", 5: "五"}
SUFFIX = "步杀"


def numeral(n):
    """Chinese numeral as used in mate lengths: 两 for two, 十一, 二十 and so on below 100."""
    if n == 2:
        return "两"
    if n < 10:
        return _DIGITS[n]
    tens, units = divmod(n, 10)
    return (_DIGITS[tens] if tens > 1 else "") + "十" + (_DIGITS[units] if units else "")


def numeral_value(text):
    """Inverse of numeral(); None when text is not one."""
    for n in range(1, 100):
        if numeral(n) == text:
            return n
    return None


def mate_length(name):
    """The mate length a name announces, or None when it announces none."""
    head, sep, _ = name.partition(SUFFIX)
    return numeral_value(head) if sep else None


def puzzle_name(moves, pieces, red):
    """moves: mate length; pieces: the attacker's piece letters that take part, one per piece."""
    table = _RED_NAMES if red else _BLACK_NAMES
    counts = {}
    for piece in pieces:
        counts[piece.lower()] = counts.get(piece.lower(), 0) + 1
    words = "".join(_MANY.get(counts[k], "") + table[k] for k in _ORDER if k in counts)
    return numeral(moves) + SUFFIX + (" " + words if words else "")

"""Reads assets/catalogue.txt (GBK, CR LF) into its header and entries.

Shared by the figures report and the glossary check, so both see the entries
alike: a name line `NAME,CODE`, a description
line, an empty line, and one extra empty line before D64.
"""

import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_PATH = os.path.join(HERE, '..', '..', 'assets', 'catalogue.txt')
FIRST_ENTRY_LINE = 12

# Where the narrative ends and the effect begins: the effect is the tail after
# the last full stop, if any (it has no closing punctuation of its own).
SENTENCE_END = '。！？'
ASIDE_OPEN = '（注：'
ASIDE = re.compile(r'（注：[^（）]*）')
ASIDE_AT_END = re.compile(r'（注：[^（）]*）$')


class Entry:
    def __init__(self, line, name, code, description):
        self.line = line  # 0-based index of the name line
        self.name = name
        self.code = code
        self.description = description

    @property
    def block(self):
        return int(self.code, 16) // 100

    @property
    def clean_name(self):
        return self.name.lstrip('\x14')

    def split(self):
        """(narrative, effect): the effect is what follows the last sentence end.

        An aside closing the line belongs to the narrative, though it stands
        after the effect."""
        d = self.description
        closing = ASIDE_AT_END.search(d)
        tail = closing.group() if closing else ''
        d = d[:len(d) - len(tail)]
        last = max(d.rfind(c) for c in SENTENCE_END)
        # An aside after the last sentence still belongs to the narrative.
        for aside in ASIDE.finditer(d):
            last = max(last, aside.end() - 1)
        return d[:last + 1] + tail, d[last + 1:]


def read_bytes(path=DEFAULT_PATH):
    with open(path, 'rb') as f:
        return f.read()


def decode(raw):
    return raw.decode('gbk')


def entries(text):
    lines = text.split('\r\n')
    result = []
    i = FIRST_ENTRY_LINE
    while i + 1 < len(lines):
        if not lines[i]:
            i += 1
            continue
        comma = lines[i].rfind(',')
        result.append(Entry(i, lines[i][:comma], lines[i][comma + 1:], lines[i + 1]))
        i += 3
    return result


def han_runs(text):
    return re.findall(r'[\u3400-\u9fff]+', text)

#!/usr/bin/env python3
"""Reports the catalogue's stored figures against their targets, and the rhythm
of its descriptions, so wording can be tuned until every delta is zero.

usage: figures.py [catalogue.txt] [--list] [--steps]
  --list   also prints each description's length and shape, P if place first
  --steps  also prints, per code block, the values of each stat that leads
           three or more effects, in code order, with the steps between them:
           a ladder that climbs by one fixed step reads as made to order
It also counts the descriptions that begin with a sect, place or house name
from glossary.txt: past about a third they read as one frame; and those that
quote a unit price in their text (两文一双, 一颗五两), which the price field
already gives: more than a few read as one more frame.
"""

import os
import re
import sys
from collections import Counter, defaultdict

import catdoc

GLOSSARY = os.path.join(catdoc.HERE, 'glossary.txt')
# Kinds of glossary name that are somewhere: a description that begins with one
# reads as the "[place][person][verb]的[item]" frame once it is in every entry.
PLACE_KINDS = ('门派', '地名', '字号')

TARGETS = {
    'bytes': 22821,
    'CR LF': 912,
    'lines': 913,
    'single-byte': 1515,
    'double-byte': 9741,
}


def is_ab_shape(entry):
    """One sentence of two or three clauses, 'A，B。', then the effect."""
    narrative, _ = entry.split()
    if not narrative or narrative.count('（'):
        return False
    ends = sum(narrative.count(c) for c in catdoc.SENTENCE_END)
    return ends == 1 and narrative[-1] in catdoc.SENTENCE_END and 1 <= narrative.count('，') <= 2


# A unit price in the text: 十文一张, 两文钱一根, 八两一把, 一颗五两.
CN_NUMBER = '[一二两三四五六七八九十百千]+'
UNIT_PRICE = re.compile(CN_NUMBER + r'[文两]钱?一[^\s，。]|一[^\s，。]' + CN_NUMBER + r'[文两]')
FULL_DIGITS = str.maketrans('０１２３４５６７８９', '0123456789')
# A stat and its figure in an effect: 攻击＋１５, 镶嵌：内力＋３０, 售价：２两.
STAT = re.compile(r'([^，、：（）]+?)[：]?([＋－]?)([０-９]+)(两|文)?')


def stats(entry):
    """(stat, value) pairs of the effect, in the order written; prices in 文."""
    found = []
    for name, sign, digits, unit in STAT.findall(entry.split()[1]):
        value = int(digits.translate(FULL_DIGITS))
        if unit == '两':
            value *= 1000
        if sign or unit:
            found.append((name.split('：')[-1], -value if sign == '－' else value))
    return found


def place_names(path=GLOSSARY):
    names = []
    with open(path, encoding='utf-8') as f:
        for line in f:
            fields = line.split('#', 1)[0].split('\t')
            if len(fields) >= 2 and fields[1].strip() in PLACE_KINDS:
                names.append(fields[0].strip())
    return names


def opens_with_place(entry, places):
    return any(entry.description.startswith(p) for p in places)


def print_steps(entries):
    blocks = defaultdict(list)
    for e in entries:
        blocks[e.block].append(e)
    for block, members in sorted(blocks.items()):
        leads = Counter(stats(e)[0][0] for e in members if stats(e))
        for stat, count in leads.items():
            if count < 3:
                continue
            values = [v for e in members for s, v in stats(e)[:1] if s == stat]
            steps = [b - a for a, b in zip(values, values[1:])]
            falls = sum(1 for x in steps if x <= 0)
            print(f'block {block} {stat}: {" ".join(map(str, values))}')
            print(f'    steps {" ".join(map(str, steps))}  '
                  f'({len(set(steps))} sizes, {falls} not rising)')


def main(argv):
    args = [a for a in argv if not a.startswith('--')]
    path = args[0] if args else catdoc.DEFAULT_PATH
    raw = catdoc.read_bytes(path)
    text = catdoc.decode(raw)
    body = text.replace('\r\n', '')
    actual = {
        'bytes': len(raw),
        'CR LF': text.count('\r\n'),
        'lines': len(text.split('\r\n')),
        'single-byte': sum(1 for c in body if ord(c) < 0x80),
        'double-byte': sum(1 for c in body if ord(c) >= 0x80),
    }
    ok = True
    for key, target in TARGETS.items():
        delta = actual[key] - target
        ok &= delta == 0
        print(f'{key:12} {actual[key]:6}  target {target:6}  delta {delta:+d}')

    entries = catdoc.entries(text)
    n = len(entries)
    lengths = [len(e.description) for e in entries]
    short = sum(1 for x in lengths if x < 16)
    long_ = sum(1 for x in lengths if x > 45)
    mid = sum(1 for x in lengths if 25 <= x <= 34)
    ab = sum(1 for e in entries if is_ab_shape(e))
    asides = sum(1 for e in entries if catdoc.ASIDE_OPEN in e.description)
    print(f'entries      {n}')
    print(f'under 16     {short:3}  {100 * short / n:5.1f} %')
    print(f'over 45      {long_:3}  {100 * long_ / n:5.1f} %')
    print(f'25 to 34     {mid:3}  {100 * mid / n:5.1f} %')
    print(f'A，B。 shape {ab:3}  {100 * ab / n:5.1f} %  (at most 50 %)')
    print(f'fan asides   {asides:3}  {100 * asides / n:5.1f} %  (at most 10 %)')
    places = place_names()
    opening = sum(1 for e in entries if opens_with_place(e, places))
    print(f'place first  {opening:3}  {100 * opening / n:5.1f} %  (about a third at most)')
    priced = sum(1 for e in entries if UNIT_PRICE.search(e.split()[0]))
    print(f'unit price   {priced:3}  {100 * priced / n:5.1f} %  (a few at most)')
    print(f'length       min {min(lengths)}  max {max(lengths)}  mean {sum(lengths) / n:.1f}')
    if '--steps' in argv:
        print_steps(entries)
    if '--list' in argv:
        for e in entries:
            print(f'{e.code:>4} {len(e.description):3} {"AB" if is_ab_shape(e) else "  "} '
                  f'{"P" if opens_with_place(e, places) else " "} '
                  f'{e.clean_name}  {e.description}')
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

#!/usr/bin/env python3
"""Reports the catalogue's stored figures against their targets, and the rhythm
of its descriptions, so wording can be tuned until every delta is zero.

usage: figures.py [catalogue.txt] [--list]
  --list  also prints each description's length and shape
"""

import sys

import catdoc

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
    print(f'length       min {min(lengths)}  max {max(lengths)}  mean {sum(lengths) / n:.1f}')
    if '--list' in argv:
        for e in entries:
            print(f'{e.code:>4} {len(e.description):3} {"AB" if is_ab_shape(e) else "  "} '
                  f'{e.clean_name}  {e.description}')
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

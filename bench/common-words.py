#!/usr/bin/env python3
"""How well the engine reads EDICT's common words standing alone.

Takes a fixed random sample of the headwords EDICT marks common (P) that
contain a kanji, looks each up with lexidrop-lookup (five candidates) and
reports:
  first  the share whose first reading is one EDICT lists for the headword;
  all    of the headwords with two or more common readings, the share that
         shows every common reading among the first five;
  other  readings among the first four that EDICT does not list for the
         headword at all, per headword (EDICT lists rare readings too, so
         these are mostly readings no reader would give);
and the misses of each. A measurement, not a test: it needs Debian's
edict package.

  python3 bench/common-words.py [--seed N] [--count N] [--lookup PATH]
                                [--dictionary FILE] [--edict FILE]
"""
import argparse
import collections
import random
import re
import subprocess
import sys
from pathlib import Path

KANJI = re.compile('[\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff\u3005]')
LINE = re.compile(r'^(\S+) \[(\S+)\] /(.*)$')


def hiragana(text):
    return ''.join(chr(ord(c) - 0x60) if '\u30a1' <= c <= '\u30f6' else c for c in text)


def headwords(path):
    """Spelling -> (every reading EDICT lists, its common readings), for the
    spellings with a kanji that have at least one common reading."""
    readings = collections.defaultdict(list)
    common = collections.defaultdict(list)
    with open(path, encoding='euc_jp', errors='replace') as f:
        for line in f:
            m = LINE.match(line.rstrip('\n'))
            if not m or not KANJI.search(m.group(1)):
                continue
            spelling, reading = m.group(1), hiragana(m.group(2))
            if reading not in readings[spelling]:
                readings[spelling].append(reading)
            if '/(P)/' in '/' + m.group(3) and reading not in common[spelling]:
                common[spelling].append(reading)
    return {s: (readings[s], common[s]) for s in sorted(common)}


def main():
    here = Path(__file__).resolve().parent.parent
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument('--seed', type=int, default=1)
    p.add_argument('--count', type=int, default=2000, help='0: every common headword')
    p.add_argument('--lookup', default=str(here / 'build/native/lexidrop-lookup'))
    p.add_argument('--dictionary')
    p.add_argument('--edict', default='/usr/share/edict/edict')
    args = p.parse_args()
    if not Path(args.edict).exists():
        sys.exit(f'common-words.py: {args.edict} is missing (Debian package edict)')

    words = headwords(args.edict)
    every = sorted(words)
    sample = random.Random(args.seed).sample(every, args.count) if 0 < args.count < len(every) else every
    command = [args.lookup, '--max-candidates', '5', '--no-line-numbers', '--each-line']
    if args.dictionary:
        command += ['--dictionary', args.dictionary]
    out = subprocess.run(command, input=''.join(w + '\n' for w in sample), capture_output=True,
                         text=True, encoding='utf-8', check=True).stdout
    # One block per text, blank line after: the text itself, then its readings.
    blocks = out.split('\n\n')[:-1]
    if len(blocks) != len(sample):
        sys.exit(f'common-words.py: {len(blocks)} answers for {len(sample)} texts')
    lists = [[hiragana(r) for r in b.split('\n')[1:]] for b in blocks]

    first_right, several, all_shown = 0, 0, 0
    first_misses, shown_misses, unlisted = [], [], []
    for word, offered in zip(sample, lists):
        listed, common = words[word]
        offered = offered[:5]
        others = [r for r in offered[:4] if r not in listed]
        if others:
            unlisted.append((word, others))
        if offered and offered[0] in listed:
            first_right += 1
        else:
            first_misses.append(f'{word}\t{" ".join(offered) or "-"}\tEDICT: {" ".join(listed)}')
        if len(common) >= 2:
            several += 1
            missing = [r for r in common if r not in offered]
            if missing:
                shown_misses.append(f'{word}\t{" ".join(offered) or "-"}\tlacks: {" ".join(missing)}')
            else:
                all_shown += 1

    print(f'seed {args.seed}: {len(sample)} common headwords of {len(words)}')
    print(f'first reading listed by EDICT: {first_right}/{len(sample)} = {100 * first_right / len(sample):.1f}%')
    if several:
        print(f'every common reading among the first five: {all_shown}/{several} = '
              f'{100 * all_shown / several:.1f}%')
    others = sum(len(o) for _, o in unlisted)
    print(f'readings among the first four that EDICT does not list: {others / len(sample):.3f} per headword')
    print(f'\nfirst reading misses ({len(first_misses)}):')
    print('\n'.join(first_misses))
    print(f'\ncommon readings missing from the first five ({len(shown_misses)}):')
    print('\n'.join(shown_misses))
    print(f'\nreadings EDICT does not list among the first four ({others}):')
    print('\n'.join(f'{w}\t{" ".join(o)}' for w, o in unlisted))


if __name__ == '__main__':
    main()

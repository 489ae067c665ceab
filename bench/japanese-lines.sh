#!/usr/bin/env bash
# Writes 20,000 lines of Japanese text (UTF-8, one per line) taken from the
# manual pages of Debian's manpages-ja package, the same lines on every
# machine with the same package version: roff requests dropped, font and
# character escapes removed, only lines with kana or kanji that Shift-JIS can
# hold, each line once, in the order of the sorted file names.
#
#   bash bench/japanese-lines.sh [COUNT] > lines.txt
set -eu  # the pipeline ends early once enough lines are out, so its status is perl's
count=${1:-20000}
if ! dpkg -L manpages-ja >/dev/null 2>&1; then
    echo "japanese-lines.sh: the package manpages-ja is not installed" >&2
    exit 1
fi
dpkg -L manpages-ja | grep '^/usr/share/man/ja/.*\.gz$' | LC_ALL=C sort |
    while read -r page; do gzip -dc "$page"; done |
    perl -CSD -ne '
        use Encode;
        next if /^[.\x27]/;                       # roff requests and comments
        s/\\f(\(..|\[[^]]*\]|.)//g;               # font changes
        s/\\\*(\(..|.)//g;                        # strings
        s/\\\((..)//g;                            # special characters
        s/\\e/\\/g; s/\\([- ])/$1/g;              # escaped backslash, hyphen, space
        s/\\.//g;                                 # the rest vanish
        s/^\s+|\s+$//g;
        next unless /[\p{Hiragana}\p{Katakana}\p{Han}]/;
        next if $seen{$_}++;
        my $sjis = eval { Encode::encode("cp932", $_, Encode::FB_CROAK | Encode::LEAVE_SRC) };
        next unless defined $sjis && Encode::decode("cp932", $sjis) eq $_;   # no best-fit stand-ins
        print "$_\n";
        exit if ++$n == '"$count"';
        END { if ($n < '"$count"') { print STDERR "japanese-lines.sh: only $n lines\n"; $? = 1 } }
    '

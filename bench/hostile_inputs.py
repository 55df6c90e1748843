#!/usr/bin/env python3
# Each kind of hostile input through sorario-cli: the exit code, the seconds, the peak
# memory and whether any file changed. Target: exit 1 with a message (or the right
# result), under 5 s and 500 MB, every file as it was.
#
#   bench/hostile_inputs.py build/src/cli/sorario-cli
import hashlib, os, shutil, subprocess, sys, tempfile, time, stat
CLI = os.path.abspath(sys.argv[1])
SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'samples', '中学英語文法ドリル1.qvn')
work = tempfile.mkdtemp(prefix='hostile-')
os.chdir(work)
def snap():
    out = {}
    for n in sorted(os.listdir('.')):
        st = os.lstat(n)
        if stat.S_ISREG(st.st_mode):
            h = hashlib.sha256(open(n, 'rb').read()).hexdigest() if st.st_size < 200_000_000 else str(st.st_size)
            out[n] = (h, st.st_mode)
        else:
            out[n] = ('special', st.st_mode)
    return out
def w(name, data):
    with open(name, 'wb') as f:
        f.write(data if isinstance(data, bytes) else data.encode())
def xml(text):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<quiz>\n<question type="shortanswer"><name><text>q</text></name>'
            '<questiontext format="html"><text>' + text + '</text></questiontext>'
            '<answer fraction="100"><text>a</text></answer></question>\n</quiz>\n')
results = []
def run(label, args, expect=1, setup_after=None):
    before = snap()
    t = time.time()
    p = subprocess.run(['/usr/bin/time', '-f', '%M', CLI] + args, capture_output=True, timeout=120)
    secs = time.time() - t
    err = p.stderr.decode('utf-8', 'replace').strip().splitlines()
    rss = int(err[-1]) // 1024 if err and err[-1].isdigit() else -1
    msg = ' / '.join(err[:-1])[:110]
    after = snap()
    created = set(after) - set(before)
    changed = [n for n in before if after.get(n) != before[n]]
    ok = p.returncode == expect and secs < 5 and rss < 500 and not changed and (expect != 1 or not created)
    results.append(ok)
    print(f"{'ok ' if ok else 'BAD'} {label:38} exit {p.returncode} {secs:5.2f}s {rss:4d}MB changed={changed} new={sorted(created)} | {msg}")
    for n in created:
        if expect == 1: os.remove(n)

# 8 deep nesting
w('deep.xml', xml('<b>' * 60000 + 'x' + '</b>' * 60000)); run('8 xml 60000 nested', ['qvn', 'deep.xml', '-o', 'o.qvn'])
w('deep2.xml', '<?xml version="1.0"?>' + '<quiz>' * 60000 + '</quiz>' * 60000); run('8 xml 60000 nested elements', ['qvn', 'deep2.xml', '-o', 'o.qvn'])
# 9 entity amplification
ent = '<?xml version="1.0"?><!DOCTYPE quiz [<!ENTITY e "' + 'x' * 4000 + '">]>'
w('amp.xml', ent + xml('&e;' * 250000).split('?>', 1)[1]); run('9 entity 250000 x 4000', ['qvn', 'amp.xml', '-o', 'o.qvn'])
# 10 quadratic
w('cdata.xml', xml('<![CDATA[' + '<a' * 1_000_000 + ']]>')); run('10 2MB <a in CDATA', ['qvn', 'cdata.xml', '-o', 'o.qvn'])
w('amps.xml', xml('&' * 2_000_000)); run('10 2MB bare &', ['qvn', 'amps.xml', '-o', 'o.qvn'])
w('attrs.xml', '<?xml version="1.0"?><quiz><question ' + ' '.join(f'a{i}="1"' for i in range(200000)) + '/></quiz>'); run('10 200000 attributes', ['qvn', 'attrs.xml', '-o', 'o.qvn'])
w('tilde.gift', '::q::a {' + '~a' * 300000 + '}\n'); run('10 600KB ~a GIFT', ['qvn', 'tilde.gift', '-o', 'o.qvn'])
w('lt.gift', '::q::[html]' + '<' * 1_000_000 + ' {=a}\n'); run('10 1MB < GIFT html', ['qvn', 'lt.gift', '-o', 'o.qvn'])
w('big.csv', 'a,b,c\n' * 2_000_000); run('10 12MB csv', ['qvn', 'big.csv', '-o', 'o.qvn'])
# 11 marks rows: history with one run needed
subprocess.run([CLI, 'print', SAMPLE, '--seed', '1', '--sheets', '2', '--class', '1A', '--history', 'h.sqlite', '-o', 'p.pdf', '--now', '2026-12-10T10:00'], capture_output=True)
hist = subprocess.run([CLI, 'history', '--history', 'h.sqlite'], capture_output=True).stdout.decode()
import json, re
num = re.search(r'"(\d{8}[a-z]*)-1"', hist)
sheet = num.group(1) if num else '12101000'
w('million.csv', 'pupil,sheet,marks\n' + ''.join(f'{i%60+1},1,○×○×○×○×○×\n' for i in range(1_000_000))); run('11 34MB million rows', ['marks', sheet, '--history', 'h.sqlite', '--set', 'million.csv'])
w('commas.csv', 'pupil,sheet,marks\n' + ',' * 50_000_000); run('11 50MB commas', ['marks', sheet, '--history', 'h.sqlite', '--set', 'commas.csv'])
with open('nul.csv', 'wb') as f: f.truncate(600 * 1024 * 1024)
run('11 600MB NUL', ['marks', sheet, '--history', 'h.sqlite', '--set', 'nul.csv'])
os.remove('nul.csv'); os.remove('million.csv'); os.remove('commas.csv')
# 12 fifos and devices
os.mkfifo('fifo.xml'); os.mkfifo('fifo.csv'); os.mkfifo('fifo.qvn')
run('12 qvn fifo.xml', ['qvn', 'fifo.xml', '-o', 'o.qvn'])
run('12 marks --set fifo.csv', ['marks', sheet, '--history', 'h.sqlite', '--set', 'fifo.csv'])
run('12 check fifo.qvn', ['check', 'fifo.qvn'])
run('12 load /dev/zero', ['load', '/dev/zero'])
run('12 qvn /dev/zero as csv', ['qvn', '/dev/zero', '-o', 'o.qvn'])
# 1 GIFT backslash: right result
w('bs.gift', '::q1::a\\.b {=x}\n\n::q2::\\(x^2\\) {=y}\n')
run('1 gift a\\.b imports', ['qvn', 'bs.gift', '-o', 'bs.qvn'], expect=0)
got = open('bs.qvn', 'rb').read().decode('cp932', 'replace') if os.path.exists('bs.qvn') else ''
print('   bs.qvn holds a\\.b:', 'a\\.b' in got, ' \\(x^2\\):', '\\(x^2\\)' in got, ' 92 dots:', '.' * 92 in got)
print(f"{sum(results)} of {len(results)} ok")
os.chdir("/")
shutil.rmtree(work)
sys.exit(0 if all(results) else 1)

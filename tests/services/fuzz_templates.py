#!/usr/bin/env python3
"""Run by hand: fuzz_templates.py PROGRAM_FOLDER RUNS [SEED].
Mutates the shipped QuickTax template at random and renders it with a
sanitizer build of grossby-cli: every run must end with exit 0 or 1, no
sanitizer report, no hang, and a failed run must leave no output file."""
import os, random, shutil, subprocess, sys, tempfile
cli_dir = sys.argv[1]; runs = int(sys.argv[2]); seed = int(sys.argv[3]) if len(sys.argv) > 3 else 1
random.seed(seed)
base = open(os.path.join(cli_dir, 'kwiktep.rpt')).read()
pieces = ['{{', '}}', '{{#kwiktax}}', '{{/kwiktax}}', '{{^kwiktax}}', '{{kwiktax.TAXINCOME}}', '{{raw.X}}',
          '{{#if.kwiktax.AGE}}', '{{/if.kwiktax.AGE}}', '{{date.kwiktax.AGE}}', '{{! c }}', '{{{x}}}', '{{=<% %>=}}',
          '<img src="/dev/zero">', '<img src="../../etc/passwd">', '<table>', '</table>', '<thead>', '\x00', '\xff',
          'margins: nan', 'page: A9', 'tables: nosuch', '-->', '<!-- report', 'footer: {{pages}}{{page}}',
          '<p style="page-break-before: always">x</p>', '{{#kwiktax}}' * 40, '{{/kwiktax}}' * 40, '&#1114112;']
stats = {}
work = tempfile.mkdtemp()
for folder in ['prog']:
    shutil.copytree(cli_dir, os.path.join(work, folder), ignore=shutil.ignore_patterns('*_tests', '*_bench', 'Testing'))
prog = os.path.join(work, 'prog')
env = dict(os.environ, QT_QPA_PLATFORM='offscreen', ASAN_OPTIONS='detect_leaks=0:abort_on_error=1',
           UBSAN_OPTIONS='halt_on_error=1:print_stacktrace=1', XDG_DATA_HOME=os.path.join(work, 'data'))
bad = 0
for i in range(runs):
    t = base
    for _ in range(random.randint(1, 6)):
        op = random.random()
        pos = random.randint(0, len(t))
        if op < 0.5:
            t = t[:pos] + random.choice(pieces) + t[pos:]
        elif op < 0.8:
            t = t[:pos] + t[pos + random.randint(1, 40):]
        else:
            j = random.randint(0, len(t)); t = t[:pos] + t[j:j + random.randint(1, 200)] + t[pos:]
    open(os.path.join(prog, 'kwiktep.rpt'), 'w', encoding='utf-8', errors='surrogatepass').write(t)
    out = os.path.join(work, 'q.%s' % random.choice(['pdf', 'html', 'odt', 'csv', 'xlsx']))
    if os.path.exists(out): os.remove(out)
    try:
        p = subprocess.run([os.path.join(prog, 'grossby-cli'), 'quicktax', '--income', '500000', '--age', '40',
                            '--report', out], env=env, capture_output=True, timeout=60)
        code = p.returncode
        err = p.stderr.decode('utf-8', 'replace')
    except subprocess.TimeoutExpired:
        code = 'timeout'; err = ''
    stats[code] = stats.get(code, 0) + 1
    if code not in (0, 1) or 'Sanitizer' in err or 'runtime error' in err or (code == 1 and os.path.exists(out)):
        bad += 1
        keep = os.path.join('/tmp/tfuzz', 'bad%d.rpt' % i)
        open(keep, 'w', encoding='utf-8', errors='surrogatepass').write(t)
        print('BAD run', i, code, err[-500:], 'kept', keep)
print('runs', runs, 'exit statuses', stats, 'bad', bad)

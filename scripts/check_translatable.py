#!/usr/bin/env python3
"""Finds texts a user would read that do not pass through Qt's translation functions.

Usage: check_translatable.py SRC_DIR [FILE...]

QML: every string literal that reads like words (not a symbol name, colour, key sequence,
identifier or URL) must sit inside qsTr()/qsTranslate()/QT_TR_NOOP(). C++: every literal that
reads like a sentence or a label must sit inside tr()/QT_TR_NOOP()/translate(), unless its
statement writes a log line. The command-line front end, whose output is for scripts and
terminals, and the diagnostics are left out. A line ending in a comment "untranslated: reason"
is a deliberate exception. Prints each finding as FILE:LINE: TEXT and exits 1 when there is one.
"""
import os
import re
import sys

LITERAL = re.compile(r'"(?:[^"\\\n]|\\.)*"')
MARKER = 'untranslated:'

# C++ files whose texts are the command line's, the diagnostics', or a protocol's.
CPP_EXEMPT = re.compile(r'(Command|CommandLine|CommandArguments|CommandProtocol|CommandClient|CommandServer|'
                        r'SetOption|Diagnostics|ShellTrace|StoreLog|VornApp)\.(cpp|h)$')

# QML properties and names that hold technical values, never text.
QML_TECHNICAL = re.compile(
    r'\b(objectName|font\.family|family|iconFamily|symbol|icon|role|name|property|properties|sequences?|'
    r'source|url|fullEditorUrl|easing\.type|state|when|target)\s*:\s*')
TRANSLATING_CALL = re.compile(r'(qsTr|qsTranslate|qsTrId|QT_TR_NOOP|QT_TRANSLATE_NOOP|QT_TRID_NOOP|\btr|translate)\s*\(\s*$')


def looks_technical(text):
    body = text[1:-1]
    if not re.search(r'[A-Za-z]', body):
        return True
    if re.fullmatch(r'[a-z0-9_.\-]+', body):              # symbol names, colours by name, keys
        return True
    if re.fullmatch(r'[a-z][A-Za-z0-9_]*', body):          # identifiers, property names
        return True
    if re.fullmatch(r'#[0-9a-fA-F]{3,8}', body):
        return True
    if re.match(r'(qrc|file|https?|image|mailto):', body) or body.startswith(':/'):
        return True
    if re.fullmatch(r'((Ctrl|Alt|Shift|Meta)\+)+\S+', body):
        return True
    return False


def strip_comment(line):
    """The line without a trailing // comment (literals are kept intact)."""
    out, i, quote = [], 0, False
    while i < len(line):
        c = line[i]
        if quote:
            out.append(c)
            if c == '\\' and i + 1 < len(line):
                out.append(line[i + 1])
                i += 1
            elif c == '"':
                quote = False
        elif c == '"':
            quote = True
            out.append(c)
        elif line.startswith('//', i):
            break
        else:
            out.append(c)
        i += 1
    return ''.join(out)


def inside_translation(code, start):
    """True when the literal at `start` is (part of) the first argument of a translating call,
    or follows the context argument of translate()/qsTranslate()."""
    before = code[:start]
    # Adjacent literals ("one " "two") belong to the same argument.
    while True:
        m = re.search(LITERAL.pattern + r'\s*$', before)
        if not m:
            break
        before = before[:m.start()]
    if TRANSLATING_CALL.search(before):
        return True
    m = re.search(r'(translate|qsTranslate|QT_TRANSLATE_NOOP)\s*\(\s*' + LITERAL.pattern + r'\s*,\s*$', before)
    return bool(m)


def check_qml(path, findings):
    lines = open(path, encoding='utf-8').read().split('\n')
    for number, raw in enumerate(lines, 1):
        if MARKER in raw:
            continue
        line = strip_comment(raw)
        stripped = line.strip()
        if stripped.startswith('import ') or stripped.startswith('pragma ') or stripped.startswith('*'):
            continue
        for m in LITERAL.finditer(line):
            text = m.group(0)
            if looks_technical(text) or inside_translation(line, m.start()):
                continue
            prefix = line[:m.start()]
            if QML_TECHNICAL.search(prefix.split(';')[-1].split('{')[-1]) and not re.search(r'\b(text|title|message)\s*:', prefix.split(';')[-1]):
                continue
            # Comparisons and switch labels name states, not texts.
            if re.search(r'(===|!==|==|!=)\s*$', prefix) or re.match(r'\s*(===|!==|==|!=)', line[m.end():]):
                continue
            if re.match(r'\s*case\s', prefix):
                continue
            findings.append(f'{path}:{number}: {text}')


def cpp_statements(source):
    """Yields (first line number, statement text) with comments blanked out."""
    marked = {i + 1 for i, l in enumerate(source.split('\n')) if MARKER in l}
    code = re.sub(r'/\*.*?\*/', lambda m: re.sub(r'[^\n]', ' ', m.group(0)), source, flags=re.S)
    lines = code.split('\n')
    lines = [strip_comment(l) for l in lines]
    statement, first = [], None
    for number, line in enumerate(lines, 1):
        if line.strip().startswith('#'):
            continue
        if first is None and line.strip():
            first = number
        statement.append((number, line))
        if re.search(r'[;{}]\s*$', line):
            yield statement, marked
            statement, first = [], None
    if statement:
        yield statement, marked


# failure() in the store logs the line it returns.
LOGGING = re.compile(r'\b(qC?(Debug|Info|Warning|Critical|Fatal)|StoreLog::|log\(|failure\(|logLine|lc[A-Z]\w*\(\)|'
                     r'Q_LOGGING_CATEGORY|Q_DECLARE_LOGGING_CATEGORY|ShellTrace::|fprintf|std::cerr|qFatal)')


def looks_like_prose(text):
    """A sentence, a label or a count: it starts with a capital letter (after any punctuation
    or symbol) and has a word, or it is a number followed by words ("%1 prompts")."""
    body = text[1:-1]
    if re.match(r'\s*(%n|\d+) [a-z]{2,}', body):
        return True
    if re.match(r'\s+[a-z]{2,} [a-z]{2,}', body):              # the end of a sentence: " is missed"
        return True
    if re.search(r'\.(h|cpp|qml|json|svg|png)$', body):     # file names
        return False
    first = re.search(r'[A-Za-z]', body)
    if not first or not first.group(0).isupper():
        return False
    rest = body[first.start():]
    if re.match(r'[A-Z][A-Z0-9_]*$', rest):               # constants, keys
        return False
    return bool(re.match(r'[A-Z][a-z]+', rest)) or ' ' in rest.strip()


# Statements that speak a protocol or a file format: D-Bus names, SQL, desktop-entry keys,
# the messages QML shows a developer.
PROTOCOL = re.compile(r'\b(QDBus\w*|m_bus|\w*Interface|QML_UNCREATABLE|Q_CLASSINFO|Q_MOC_INCLUDE|Q_ASSERT\w*)\b')
SQL = re.compile(r'"\s*(SELECT|INSERT|DELETE|UPDATE|PRAGMA|BEGIN|COMMIT|ROLLBACK|CREATE|DROP|ALTER)\b')


def check_cpp(path, findings):
    source = open(path, encoding='utf-8').read()
    for statement, marked in cpp_statements(source):
        text = '\n'.join(l for _, l in statement)
        if LOGGING.search(text) or PROTOCOL.search(text):
            continue
        if any(n in marked for n, _ in statement):
            continue
        for number, line in statement:
            for m in LITERAL.finditer(line):
                literal = m.group(0)
                if not looks_like_prose(literal) or SQL.match(literal):
                    continue
                # Comparisons test a value; desktop-entry lines ("Name=VORN") are a file format.
                after = line[m.end():]
                if re.search(r'(==|!=)\s*(QLatin1String|QStringLiteral|QString)?\(?\s*$', line[:m.start()]) \
                        or re.match(r'\s*\)?\s*(==|!=)', after) or re.match(r'"\[?[A-Za-z-]+(\]|=)', literal):
                    continue
                # The literal's own line plus the lines before it in this statement.
                upto = '\n'.join(l for n, l in statement if n < number) + '\n' + line[:m.start()]
                if inside_translation(upto, len(upto)):
                    continue
                findings.append(f'{path}:{number}: {literal}')


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    root = argv[1]
    files = argv[2:]
    if not files:
        for folder, _, names in os.walk(root):
            for name in sorted(names):
                if name.endswith(('.qml', '.cpp', '.h')):
                    files.append(os.path.join(folder, name))
    findings = []
    for path in sorted(files):
        if path.endswith('.qml'):
            check_qml(path, findings)
        elif not CPP_EXEMPT.search(path):
            check_cpp(path, findings)
    for finding in findings:
        print(finding)
    if findings:
        print(f'{len(findings)} texts are not translatable; wrap them in qsTr()/tr(), or mark a deliberate '
              f'exception with a comment "untranslated: reason".', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

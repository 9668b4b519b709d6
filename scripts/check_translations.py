#!/usr/bin/env python3
"""Checks that the translation catalogues are complete and current.

Usage: check_translations.py [--report] [--lupdate LUPDATE --sources SRC_DIR] CATALOGUE.ts...

Each catalogue fails on an unfinished entry (new, or changed in the sources since it was
translated), an obsolete one (its text is gone from the sources), an empty plural form, a
wrong number of plural forms, or a translation whose %1..%9 placeholders differ from the
source's. With --lupdate and --sources, the catalogues are first brought up to date with the
sources in a scratch folder, so a text added to src/ without a translation fails too; the
files themselves are left as they are. A catalogue named vorn_en.ts holds only plural forms.
--report prints the findings and always succeeds (scripts/translations uses it).
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# Plural forms per language, as Qt's lrelease counts them.
PLURAL_FORMS = {'en': 2, 'de': 2, 'fr': 2, 'es': 2}


def placeholders(text):
    return sorted(set(re.findall(r'%[1-9]', text or '')))


def check(path, findings):
    root = ET.parse(path).getroot()
    language = (root.get('language') or '').split('_')[0]
    forms = PLURAL_FORMS.get(language)
    name = os.path.basename(path)
    for context in root.iter('context'):
        context_name = context.findtext('name')
        for message in context.iter('message'):
            source = message.findtext('source') or ''
            where = f'{name}: {context_name}: "{source}"'
            translation = message.find('translation')
            kind = translation.get('type') if translation is not None else 'unfinished'
            if kind in ('obsolete', 'vanished'):
                findings.append(f'{where}: obsolete (no longer in the sources)')
                continue
            if kind == 'unfinished':
                findings.append(f'{where}: unfinished')
                continue
            if message.get('numerus') == 'yes':
                texts = [f.text or '' for f in translation.iter('numerusform')]
                if forms is not None and len(texts) != forms:
                    findings.append(f'{where}: {len(texts)} plural forms, {language} has {forms}')
                if any(not t.strip() for t in texts):
                    findings.append(f'{where}: an empty plural form')
                if any('%n' not in t for t in texts) and '%n' in source:
                    findings.append(f'{where}: a plural form without %n')
            else:
                texts = [translation.text or '']
                if not texts[0].strip():
                    findings.append(f'{where}: empty translation')
            for text in texts:
                if placeholders(text) != placeholders(source):
                    findings.append(f'{where}: placeholders {placeholders(text)} differ from {placeholders(source)}')


def refreshed_copies(catalogues, lupdate, sources, scratch):
    """Copies of the catalogues that lupdate has brought up to date with the sources."""
    copies = []
    for path in catalogues:
        copy = os.path.join(scratch, os.path.basename(path))
        shutil.copyfile(path, copy)
        options = ['-locations', 'none', '-no-ui-lines', '-silent', '-I', sources]
        if os.path.basename(path) == 'vorn_en.ts':
            options.append('-pluralonly')
        subprocess.run([lupdate, *options, sources, '-ts', copy], check=True,
                       stdout=subprocess.DEVNULL)
        copies.append(copy)
    return copies


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--report', action='store_true')
    parser.add_argument('--lupdate')
    parser.add_argument('--sources')
    parser.add_argument('catalogues', nargs='+')
    args = parser.parse_args()

    findings = []
    with tempfile.TemporaryDirectory() as scratch:
        catalogues = args.catalogues
        if args.lupdate and args.sources:
            catalogues = refreshed_copies(catalogues, args.lupdate, args.sources, scratch)
        for path in catalogues:
            check(path, findings)
    for finding in findings:
        print(finding)
    if findings and not args.report:
        print(f'{len(findings)} catalogue entries need work: run scripts/translations and translate them.',
              file=sys.stderr)
        return 1
    if not findings:
        print(f'{len(args.catalogues)} catalogues complete.')
    return 0


if __name__ == '__main__':
    sys.exit(main())

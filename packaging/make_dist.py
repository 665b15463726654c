#!/usr/bin/env python3
"""Packs the shipped 32-bit exe for Windows users: a portable zip, a per-user MSI
made with wixl, and SHA256SUMS. Two runs on the same inputs give the same bytes:
every date is the last commit's (or SOURCE_DATE_EPOCH), and the MSI's package
code is derived from what it holds instead of drawn at random.

Usage: make_dist.py --version 1.0 --publisher NAME --exe quenmark.exe
                    --icon quenmark.ico --out DIR"""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import uuid
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
# Derives the product and package codes; never change it, or upgrades stop
# recognising earlier packages' product codes.
NAMESPACE = uuid.UUID('5f0c1d8e-93a4-4b7e-8c21-d6e0f4a9b317')
FALLBACK_EPOCH = 1767225600  # 2026-01-01 00:00:00 UTC


def source_date_epoch():
    if os.environ.get('SOURCE_DATE_EPOCH'):
        return int(os.environ['SOURCE_DATE_EPOCH'])
    try:
        out = subprocess.run(['git', '-C', SOURCE, 'log', '-1', '--format=%ct'],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return FALLBACK_EPOCH


def windows_text(path, version):
    """Notepad on older Windows wants CRLF line ends."""
    with open(path, encoding='utf-8') as f:
        text = f.read().replace('@VERSION@', version)
    return text.replace('\r\n', '\n').replace('\n', '\r\n').encode('utf-8')


def stage(args, folder, epoch):
    """The files a user gets, with fixed dates; returns their names, in order."""
    shutil.copyfile(args.exe, os.path.join(folder, 'quenmark.exe'))
    for name, source in (('README.txt', os.path.join(HERE, 'README.txt')),
                         ('LICENSE.txt', os.path.join(SOURCE, 'LICENSE'))):
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(windows_text(source, args.version))
    shutil.copyfile(args.icon, os.path.join(folder, 'quenmark.ico'))
    for name in os.listdir(folder):
        os.utime(os.path.join(folder, name), (epoch, epoch))
    return ['quenmark.exe', 'README.txt', 'LICENSE.txt']


def make_zip(path, folder, names, epoch):
    date = time.gmtime(max(epoch, 315532800))[:6]  # zip dates start in 1980
    with zipfile.ZipFile(path, 'w') as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=date)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS: no Unix permissions in the archive
            with open(os.path.join(folder, name), 'rb') as f:
                archive.writestr(entry, f.read(), compresslevel=9)


def make_msi(path, folder, args, epoch):
    content = hashlib.sha256(args.version.encode() + b'\0' + args.publisher.encode())
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), 'rb') as f:
            content.update(name.encode() + b'\0' + hashlib.sha256(f.read()).digest())
    product_code = uuid.uuid5(NAMESPACE, 'product ' + args.version)
    package_code = uuid.uuid5(NAMESPACE, 'package ' + content.hexdigest())
    # wixl stamps the summary with the current time and draws a random package code,
    # which msibuild then replaces. faketime -f holds the clock still at the commit's
    # time: plain faketime lets it run on from there, from the real clock's fraction
    # of a second, so a slow start crossed into the next second now and then.
    stamp = time.strftime('%Y-%m-%d %H:%M:%S', time.gmtime(epoch))
    env = dict(os.environ, TZ='UTC')
    # wixl looks for the files beside the .wxs.
    shutil.copyfile(os.path.join(HERE, 'quenmark.wxs'), os.path.join(folder, 'quenmark.wxs'))
    subprocess.run(['faketime', '-f', stamp, 'wixl', '-a', 'x86', '-o', path,
                    '-D', 'Version=' + args.version, '-D', 'Publisher=' + args.publisher,
                    '-D', 'ProductCode={%s}' % str(product_code).upper(), 'quenmark.wxs'],
                   check=True, env=env, cwd=folder)
    subprocess.run(['faketime', '-f', stamp, 'msibuild', path, '-s', 'Quenmark Search',
                    args.publisher, 'Intel;1033', '{%s}' % str(package_code).upper()],
                   check=True, env=env)


def sha256_file(path):
    with open(path, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    parser = argparse.ArgumentParser()
    for option in ('--version', '--publisher', '--exe', '--icon', '--out'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    epoch = source_date_epoch()
    base = 'quenmark-search-%s-win32' % args.version
    shutil.rmtree(args.out, ignore_errors=True)  # no leftovers of an earlier version
    os.makedirs(args.out)
    zip_path = os.path.join(args.out, base + '.zip')
    msi_path = os.path.join(args.out, base + '.msi')
    with tempfile.TemporaryDirectory(prefix='qm-dist-') as folder:
        names = stage(args, folder, epoch)
        make_zip(zip_path, folder, names, epoch)
        make_msi(msi_path, folder, args, epoch)
    with open(os.path.join(args.out, 'SHA256SUMS'), 'w', newline='\n') as f:
        for path in (zip_path, msi_path):
            f.write('%s  %s\n' % (sha256_file(path), os.path.basename(path)))
    print('dist: ' + ', '.join(sorted(os.listdir(args.out))))
    return 0


if __name__ == '__main__':
    sys.exit(main())

"""What a Windows user downloads: the zip's and the MSI's contents, and the MSI
installed and removed again by Wine's msiexec."""
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

import qmwine


DIST = os.environ.get('QM_DIST_DIR', '')
SHIPPED_EXE = os.environ.get('QM_SHIPPED_EXE', '')
VERSION = os.environ.get('QM_VERSION', '')
PUBLISHER = os.environ.get('QM_PUBLISHER', '')
SHIPPED_FILES = ['quenmark.exe', 'README.txt', 'LICENSE.txt']
BUILD_DIR = os.environ.get('QM_BUILD_DIR', '')
MAKE_DIST = os.path.join(os.path.dirname(__file__), '..', '..', 'packaging', 'make_dist.py')
sys.path.insert(0, os.path.dirname(MAKE_DIST))
import make_dist  # noqa: E402  (the packer's own idea of the build date)
CURRENT_VERSION = r'Software\Microsoft\Windows\CurrentVersion'
# Every startup entry the uninstaller removes, as (key, reg.exe view, type, data).
STARTUP_ENTRIES = [
    (r'HKLM\%s\Run' % CURRENT_VERSION, '/reg:32', 'REG_SZ', r'C:\q\quenmark.exe'),
    (r'HKLM\%s\Run' % CURRENT_VERSION, '/reg:64', 'REG_SZ', r'C:\q\quenmark.exe'),
    (r'HKCU\%s\Run' % CURRENT_VERSION, '/reg:64', 'REG_SZ', r'C:\q\quenmark.exe'),
    (r'HKLM\%s\Explorer\StartupApproved\Run32' % CURRENT_VERSION, '/reg:64', 'REG_BINARY',
     '030000000000000000000000'),
    (r'HKLM\%s\Explorer\StartupApproved\Run' % CURRENT_VERSION, '/reg:64', 'REG_BINARY',
     '020000000000000000000000'),
    (r'HKCU\%s\Explorer\StartupApproved\Run' % CURRENT_VERSION, '/reg:64', 'REG_BINARY',
     '030000000000000000000000'),
]


def package(kind):
    return os.path.join(DIST, 'quenmark-search-%s-win32.%s' % (VERSION, kind))


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def msi_table(msi, table):
    """Rows of an MSI table as dicts, read with msitools."""
    out = subprocess.run(['msiinfo', 'export', msi, table], capture_output=True, text=True,
                         check=True).stdout.splitlines()
    columns = out[0].split('\t')
    return [dict(zip(columns, line.split('\t'))) for line in out[3:]]


@unittest.skipUnless(DIST and VERSION, 'needs QM_DIST_DIR and QM_VERSION (make test sets both)')
class Packages(unittest.TestCase):
    def test_zip_holds_the_versioned_exe_readme_and_licence(self):
        exe = read(SHIPPED_EXE)
        # The version resource: the key, NUL padding to a 4-byte boundary, the value.
        key = 'ProductVersion'.encode('utf-16-le')
        value = exe[exe.index(key) + len(key):][:16].lstrip(b'\0')
        self.assertTrue(value.startswith((VERSION + '\0').encode('utf-16-le')), value)
        with zipfile.ZipFile(package('zip')) as archive:
            self.assertEqual(archive.namelist(), SHIPPED_FILES)
            self.assertEqual(archive.read('quenmark.exe'), exe)
            readme = archive.read('README.txt').decode('utf-8')
            licence = archive.read('LICENSE.txt').decode('utf-8')
            dates = {entry.date_time for entry in archive.infolist()}
        self.assertIn('Version %s\r\n' % VERSION, readme)
        self.assertNotIn('\n', readme.replace('\r\n', ''), 'README.txt keeps LF line ends')
        for words in ('Auto start', 'set.ini', 'exit', 'Not set hotkey'):
            self.assertIn(words, readme)
        self.assertIn('Copyright (c) 2026 Quenmark Search developers', licence)
        self.assertEqual(len(dates), 1, 'entries carry the build date: %s' % dates)

    def test_msi_describes_a_per_user_install(self):
        msi = package('msi')
        properties = {row['Property']: row['Value'] for row in msi_table(msi, 'Property')}
        self.assertEqual(properties['ProductVersion'], VERSION)
        self.assertEqual(properties['Manufacturer'], PUBLISHER)
        self.assertNotIn('ALLUSERS', properties)
        summary = subprocess.run(['msiinfo', 'suminfo', msi], capture_output=True, text=True,
                                 check=True, env=dict(os.environ, TZ='UTC')).stdout
        # Both dates are the commit's, however long packing took.
        packed = time.strftime('%a %b %e %H:%M:%S %Y', time.gmtime(make_dist.source_date_epoch()))
        for field in ('Created', 'Last saved'):
            self.assertIn('%s: %s\n' % (field, packed), summary)
        word_count = int(summary.split('Source: ')[1].split()[0])
        self.assertTrue(word_count & 8, 'the package asks for administrator rights')
        files = sorted(row['FileName'] for row in msi_table(msi, 'File'))
        self.assertEqual(files, sorted(SHIPPED_FILES))
        # The uninstaller's "/unregister" runs deferred, after InstallInitialize and while
        # the exe is still there; an upgrade's removal of the old version keeps the entries.
        sequence = {row['Action']: row for row in msi_table(msi, 'InstallExecuteSequence')}
        unregister = sequence['RemoveStartupEntries']
        self.assertEqual(unregister['Condition'], 'REMOVE="ALL" AND NOT UPGRADINGPRODUCTCODE')
        self.assertLess(int(sequence['InstallInitialize']['Sequence']), int(unregister['Sequence']))
        self.assertLess(int(unregister['Sequence']), int(sequence['RemoveFiles']['Sequence']))
        actions = {row['Action']: row for row in msi_table(msi, 'CustomAction')}
        self.assertEqual(actions['RemoveStartupEntries']['Target'], '/unregister')
        # The upgrade's removal of the old version ends a running copy instead.
        close = sequence['CloseRunningCopy']
        self.assertEqual(close['Condition'], 'REMOVE="ALL" AND UPGRADINGPRODUCTCODE')
        self.assertLess(int(close['Sequence']), int(sequence['RemoveFiles']['Sequence']))
        self.assertEqual(actions['CloseRunningCopy']['Target'], '/exit')
        shortcuts = msi_table(msi, 'Shortcut')
        self.assertEqual([(s['Directory_'], s['Name']) for s in shortcuts],
                         [('ProgramMenuFolder', 'Quenmark Search')])
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run(['msiextract', '-C', folder, msi], capture_output=True, check=True)
            exes = glob.glob(os.path.join(folder, '**', 'quenmark.exe'), recursive=True)
            self.assertEqual(len(exes), 1, exes)
            self.assertEqual(read(exes[0]), read(SHIPPED_EXE))

    def test_sums_name_both_packages(self):
        with open(os.path.join(DIST, 'SHA256SUMS')) as f:
            sums = dict(reversed(line.split('  ')) for line in f.read().splitlines())
        self.assertEqual(sorted(sums), sorted(os.path.basename(package(k)) for k in ('msi', 'zip')))
        for name, digest in sums.items():
            self.assertEqual(hashlib.sha256(read(os.path.join(DIST, name))).hexdigest(), digest)


@unittest.skipUnless(DIST and VERSION, 'needs QM_DIST_DIR and QM_VERSION (make test sets both)')
class MsiInstall(unittest.TestCase):
    """Installs for the current user of the harness's fresh prefix, then removes."""

    def setUp(self):
        drive_c = os.path.join(os.environ['WINEPREFIX'], 'drive_c')
        user = glob.glob(os.path.join(drive_c, 'users', '*', 'AppData', 'Local'))
        user = [u for u in user if os.sep + 'Public' + os.sep not in u]
        self.assertEqual(len(user), 1, user)
        home = os.path.dirname(os.path.dirname(user[0]))
        self.folder = os.path.join(home, 'AppData', 'Local', 'Programs', 'Quenmark Search')
        self.shortcut = os.path.join(home, 'AppData', 'Roaming', 'Microsoft', 'Windows',
                                     'Start Menu', 'Programs', 'Quenmark Search.lnk')

    def msiexec(self, action, msi):
        # Wine programs' output goes to a file: a pipe can be held open by Wine's services.
        with tempfile.TemporaryFile() as log:
            code = subprocess.run([qmwine.WINELOADER, 'msiexec', action,
                                   qmwine.windows_path(msi), '/qn'],
                                  stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                  timeout=120).returncode
            log.seek(0)
            self.assertEqual(code, 0, 'msiexec %s: %s' % (action, log.read()[-2000:]))

    def uninstall_entry(self, msi):
        """The Apps & features entry's (DisplayVersion, Publisher), wherever msiexec wrote it."""
        product_code = {row['Property']: row['Value']
                        for row in msi_table(msi, 'Property')}['ProductCode']
        for root in (r'HKCU\Software', r'HKLM\Software', r'HKLM\Software\Wow6432Node'):
            key = root + r'\Microsoft\Windows\CurrentVersion\Uninstall' + '\\' + product_code
            version = qmwine.reg_query(key, 'DisplayVersion')
            if version:
                publisher = qmwine.reg_query(key, 'Publisher')
                return version[1], publisher[1] if publisher else None
        return None

    @staticmethod
    def startup_entries():
        """Which of STARTUP_ENTRIES exist, and whether a neighbour under the Run key does."""
        present = [qmwine.wine_reg('query', key, '/v', 'quenmarksearch', view).returncode == 0
                   for key, view, _, _ in STARTUP_ENTRIES]
        neighbour = qmwine.wine_reg('query', STARTUP_ENTRIES[1][0], '/v', 'QuenmarkNeighbour')
        return present, neighbour.returncode == 0

    def test_install_then_uninstall(self):
        """The shipped package, whose 32-bit exe this Wine cannot start, so its removal must
        not depend on the exe; then the same package around this build's 64-bit exe, which
        runs while it is removed and as the uninstaller's "/unregister". (An upgrade's
        removal of the old version, with "/exit", cannot be shown here: Wine's
        RemoveExistingProducts sets no UPGRADINGPRODUCTCODE.)"""
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, MAKE_DIST, '--version', VERSION, '--publisher',
                            PUBLISHER, '--exe', os.path.join(BUILD_DIR, 'quenmark.exe'),
                            '--icon', os.path.join(BUILD_DIR, 'generated', 'quenmark.ico'),
                            '--out', out], check=True, stdout=subprocess.DEVNULL)
            own_build = glob.glob(os.path.join(out, '*.msi'))[0]
            for msi, exe, exe_runs in ((package('msi'), SHIPPED_EXE, False),
                                       (own_build, os.path.join(BUILD_DIR, 'quenmark.exe'), True)):
                with self.subTest(msi=msi):
                    self.install_and_uninstall(msi, exe, exe_runs)

    def install_and_uninstall(self, msi, exe, exe_runs):
        self.msiexec('/i', msi)
        for name in SHIPPED_FILES:
            self.assertTrue(os.path.isfile(os.path.join(self.folder, name)), name)
        self.assertEqual(read(os.path.join(self.folder, 'quenmark.exe')), read(exe))
        self.assertTrue(os.path.isfile(self.shortcut), self.shortcut)
        self.assertEqual(self.uninstall_entry(msi), (VERSION, PUBLISHER))
        for key, view, kind, data in STARTUP_ENTRIES:
            qmwine.wine_reg('add', key, '/v', 'quenmarksearch', '/t', kind, '/d', data, view, '/f')
        qmwine.wine_reg('add', STARTUP_ENTRIES[1][0], '/v', 'QuenmarkNeighbour', '/d', 'x', '/f')
        self.assertEqual(self.startup_entries(), ([True] * len(STARTUP_ENTRIES), True))
        if exe_runs:
            # The installed program runs: the uninstaller asks it to save and end. Without
            # "checkc" the box keeps its ticked default, which its save must write.
            program = qmwine.Program(folder=self.folder, wine32=False,
                                     ini_text=qmwine.saved_ini().replace('checkc=0\r\n', ''))
            self.addCleanup(program.cleanup)
            program.start()
            self.assertIsNotNone(qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20))

        self.msiexec('/x', msi)
        if exe_runs:
            self.assertEqual(program.wait_exit(15), 0, 'the running copy did not end')
            # The user's settings stay, as the program saved them, and keep the folder.
            self.assertEqual(sorted(os.listdir(self.folder)),
                             sorted(['set.ini', os.path.basename(program.stdout_path)]))
            self.assertEqual(program.read_ini(), qmwine.saved_ini(search_and_close=1))
            program.cleanup()
        self.assertFalse(os.path.exists(self.folder))
        self.assertFalse(os.path.exists(self.shortcut))
        self.assertIsNone(self.uninstall_entry(msi))
        self.assertEqual(self.startup_entries(), ([not exe_runs] * len(STARTUP_ENTRIES), True))
        for key, view, _, _ in STARTUP_ENTRIES:
            qmwine.wine_reg('delete', key, '/v', 'quenmarksearch', view, '/f')
        qmwine.wine_reg('delete', STARTUP_ENTRIES[1][0], '/v', 'QuenmarkNeighbour', '/f')


if __name__ == '__main__':
    unittest.main()

"""Helpers for end-to-end tests that drive real Windows programs under Wine.

Run inside tests/harness/with-wine.sh, which provides WINEPREFIX, DISPLAY and
QM_BUILD_DIR. Every program a test starts is ended by the test, by pid."""
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

WINELOADER = os.environ.get('WINELOADER', '/usr/lib/wine/wine64')
BUILD_DIR = os.environ.get('QM_BUILD_DIR', '')
# QM_WINE32=1: quenmark.exe is the shipped 32-bit exe (QM_SHIPPED_EXE), run by Debian's
# 32-bit Wine under qemu's user-mode emulator in this same prefix; everything else stays
# 64-bit. The private root holding them comes from QM_WINE32_ROOT or wine32-root.sh.
WINE32 = os.environ.get('QM_WINE32') == '1'
HARNESS_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'harness')


def windows_path(unix_path):
    """Wine maps the whole Unix tree as drive Z:."""
    return 'Z:' + os.path.abspath(unix_path).replace('/', '\\')


def wait_until(predicate, timeout=10.0, interval=0.05):
    """Polls predicate until it returns something truthy; returns that or None."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


def xdotool(*args, check=False):
    result = subprocess.run(['xdotool', *map(str, args)], capture_output=True, text=True,
                            stdin=subprocess.DEVNULL)
    if check and result.returncode != 0:
        raise RuntimeError('xdotool %s failed: %s' % (args, result.stderr))
    return result.stdout.strip()


def find_windows(name_regex, only_visible=True):
    args = ['search']
    if only_visible:
        args.append('--onlyvisible')
    args += ['--name', name_regex]
    out = xdotool(*args)
    return [int(w) for w in out.split()] if out else []


def wait_window(name_regex, timeout=10.0, only_visible=True):
    found = wait_until(lambda: find_windows(name_regex, only_visible), timeout)
    return found[0] if found else None


def window_geometry(wid):
    """(x, y, width, height) of a window on the screen."""
    out = xdotool('getwindowgeometry', '--shell', wid)
    values = dict(line.split('=') for line in out.splitlines() if '=' in line)
    return int(values['X']), int(values['Y']), int(values['WIDTH']), int(values['HEIGHT'])


def focus(wid):
    xdotool('windowfocus', '--sync', wid)


def answer_message_box(title, key='Return', timeout=10.0):
    """Finds a message box by its exact title and answers it; returns its text-less id."""
    wid = wait_window('^%s$' % re.escape(title), timeout)
    if wid is None:
        return None
    focus(wid)
    time.sleep(0.2)
    xdotool('key', '--window', wid, key)
    xdotool('key', key)
    wait_until(lambda: wid not in find_windows('^%s$' % re.escape(title)), 5)
    return wid


def wine_reg(*args):
    # A 32-bit program's HKLM\Software is the 32-bit view (Wow6432Node): look where it wrote.
    # Task Manager's startup switches stay in the 64-bit view, under "Run32" for such a program.
    key = args[1].upper() if args[1:2] else ''
    view = ['/reg:32'] if WINE32 and key.startswith('HKLM\\SOFTWARE') \
        and '\\STARTUPAPPROVED\\' not in key else []
    return subprocess.run([WINELOADER, 'reg', *args, *view], capture_output=True, text=True,
                          stdin=subprocess.DEVNULL)


_wine32_root = None


def wine32_root():
    """The private root, once this prefix's syswow64 holds its i386 builtins (a 64-bit
    wineboot leaves it empty)."""
    global _wine32_root
    if _wine32_root is None:
        root = os.environ.get('QM_WINE32_ROOT') or subprocess.run(
            [os.path.join(HARNESS_DIR, 'wine32-root.sh')], stdin=subprocess.DEVNULL,
            capture_output=True, text=True, check=True).stdout.strip()
        syswow64 = os.path.join(os.environ['WINEPREFIX'], 'drive_c', 'windows', 'syswow64')
        builtins = os.path.join(root, 'usr', 'lib', 'i386-linux-gnu', 'wine', 'i386-windows')
        os.makedirs(syswow64, exist_ok=True)
        for name in os.listdir(builtins):
            if not os.path.lexists(os.path.join(syswow64, name)):
                os.symlink(os.path.join(builtins, name), os.path.join(syswow64, name))
        shutil.copy('/usr/lib/x86_64-linux-gnu/wine/i386-windows/zlib1.dll', syswow64)
        _wine32_root = root
    return _wine32_root


def wine32_command(exe, env):
    """The command and environment that start a 32-bit exe under the emulated Wine."""
    root = wine32_root()
    env.pop('WINELOADER', None)
    # The loader would re-exec itself, which the kernel refuses for a 32-bit binary; the
    # wineserver is the host's, so the 32-bit process shares this prefix's.
    env.update(QEMU_LD_PREFIX=root, WINELOADERNOEXEC='1',
               WINESERVER='/usr/lib/wine/wineserver64')
    return [os.path.join(root, 'usr', 'bin', 'qemu-i386'),
            os.path.join(root, 'usr', 'lib', 'wine', 'wine'), exe]


def reg_query(key, value):
    """The data of a registry value as `reg query` prints it, or None."""
    result = wine_reg('query', key, '/v', value)
    if result.returncode != 0:
        return None
    for line in result.stdout.splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[0].lower() == value.lower():
            return (parts[1], parts[2] if len(parts) > 2 else '')
    return None


def reg_value_text(key, value):
    """The text of a string value, read through an exported .reg file: unlike `reg query`
    on a pipe, the file keeps characters outside the console's code page. None when the
    value is missing."""
    folder = tempfile.mkdtemp(prefix='qm-reg-')
    try:
        path = os.path.join(folder, 'export.reg')
        subprocess.run([WINELOADER, 'reg', 'export', key, windows_path(path), '/y'],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        try:
            with open(path, encoding='utf-16') as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return None
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    prefix = '"%s"="' % value
    for line in lines:
        if line.lower().startswith(prefix.lower()) and line.endswith('"'):
            data = line[len(prefix):-1]
            return re.sub(r'\\(.)', r'\1', data)
    return None


def visible_titles(pid):
    """The titles of a process's windows on screen; '' for an untitled one (a menu)."""
    out = xdotool('search', '--all', '--onlyvisible', '--pid', pid, '--name', '',
                  'getwindowname', '%@')
    return out.split('\n') if out else []


# The programs started in the current test (and those still running from earlier), so
# that a failure, of the test or of one of its rows, shows what they were doing.
_started = []


def _report_failures_with_programs():
    result = unittest.TestResult
    start_test, add_error, add_failure, add_sub_test = (
        result.startTest, result.addError, result.addFailure, result.addSubTest)

    def report(programs):
        for program in programs:
            print('\n' + program.report(), file=sys.stderr)

    def startTest(self, test):
        _started[:] = [p for p in _started if p.running()]
        start_test(self, test)

    def addError(self, test, err):
        report(_started)
        add_error(self, test, err)

    def addFailure(self, test, err):
        report(_started)
        add_failure(self, test, err)

    def addSubTest(self, test, subtest, err):
        if err is not None:  # the test goes on: only the programs it has not ended yet
            report([p for p in _started if not p.stopped])
        add_sub_test(self, test, subtest, err)

    result.startTest, result.addError, result.addFailure, result.addSubTest = (
        startTest, addError, addFailure, addSubTest)


_report_failures_with_programs()


class Program:
    """A copy of a built exe in a folder of its own, started under Wine.

    set.ini and the recording browser's log live beside the copy."""

    def __init__(self, exe_name='quenmark.exe', folder=None, ini_text=None, copy_as=None,
                 wine32=None):
        self.folder = folder or tempfile.mkdtemp(prefix='qm-e2e-')
        self.exe = os.path.join(self.folder, copy_as or exe_name)
        # wine32: run exe_name under the emulated Wine (by default, the switch's choice)
        self.wine32 = WINE32 and exe_name == 'quenmark.exe' if wine32 is None else wine32
        source = (os.environ['QM_SHIPPED_EXE'] if self.wine32 and wine32 is None
                  else os.path.join(BUILD_DIR, exe_name))
        if not os.path.exists(self.exe):  # a second copy started from the same folder reuses it
            shutil.copy(source, self.exe)
        self.browser_log = os.path.join(self.folder, 'browser.log')
        if ini_text is not None:
            with open(self.ini_path, 'w', newline='') as f:
                f.write(ini_text)
        self.process = None
        self.stdout_path = os.path.join(self.folder, 'stdout-%s.txt' % id(self))

    @property
    def ini_path(self):
        return os.path.join(self.folder, 'set.ini')

    def read_ini(self):
        try:
            with open(self.ini_path, newline='') as f:
                return f.read()
        except FileNotFoundError:
            return None

    def start(self, extra_env=None, args=()):
        env = dict(os.environ)
        env['QM_BROWSER_LOG'] = windows_path(self.browser_log)
        # Wine's own error messages join the output, for a failure report.
        env['WINEDEBUG'] = ','.join(filter(None, (env.get('WINEDEBUG'), 'err+all')))
        env.update(extra_env or {})
        command = wine32_command(self.exe, env) if self.wine32 else [WINELOADER, self.exe]
        self._stdout = open(self.stdout_path, 'w')
        self.process = subprocess.Popen([*command, *args], cwd=self.folder, env=env,
                                        stdin=subprocess.DEVNULL, stdout=self._stdout,
                                        stderr=subprocess.STDOUT)
        self.final_report = None
        self.stopped = False
        _started.append(self)
        return self

    def report(self, tail=15):
        """What a failed test shows of this program: its windows on screen, its exit code
        if it ended, and the tail of its output, Wine's messages included."""
        if self.final_report:
            return self.final_report
        code = self.process.poll()
        titles = visible_titles(self.process.pid) if code is None else []
        try:
            with open(self.stdout_path, errors='replace') as f:
                lines = f.read().splitlines()[-tail:]
        except FileNotFoundError:
            lines = []
        return '\n'.join(
            ['--- %s (pid %d): %s' % (os.path.basename(self.exe), self.process.pid,
                                      'running' if code is None else 'exited, code %d' % code),
             'window titles on screen: %s' % (titles or 'none'),
             'last %d lines of its output:' % tail] + ['  ' + line for line in lines])

    def output(self):
        with open(self.stdout_path) as f:
            return f.read()

    def wait_output(self, pattern, timeout=10.0):
        """Waits for a line of the program's stdout matching pattern; returns the match."""
        return wait_until(lambda: re.search(pattern, self.output(), re.M), timeout)

    def launched_urls(self):
        try:
            with open(self.browser_log, encoding='utf-8') as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def wait_launches(self, count, timeout=10.0):
        return wait_until(lambda: len(self.launched_urls()) >= count and self.launched_urls(),
                          timeout)

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=10.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process is not None and not self.final_report:
            self.final_report = self.report()  # before the end, and its folder, erase it
        if self.running():
            self.stopped = True
            self.process.kill()
            self.process.wait(10)
        if self.process is not None:
            self._stdout.close()

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.folder, ignore_errors=True)


class Notepad:
    """Wine's notepad holding a text, as the application whose selection is copied."""

    def __init__(self, text, encoding=None, name='note.txt', geometry=None):
        """encoding 'utf-8-sig' writes a byte-order mark, which notepad needs to read UTF-8;
        a second notepad at the same time needs a name of its own. geometry (x, y, width,
        height) keeps it off other windows: with no window manager nothing raises a
        window that is clicked."""
        self.folder = tempfile.mkdtemp(prefix='qm-notepad-')
        self.path = os.path.join(self.folder, name)
        with open(self.path, 'w', newline='', encoding=encoding) as f:
            f.write(text)
        self.process = subprocess.Popen([WINELOADER, 'notepad', windows_path(self.path)],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.wid = wait_window(re.escape(name), 20)
        if self.wid is None:
            self.close()
            raise RuntimeError('notepad did not show its window')
        if geometry:
            xdotool('windowmove', '--sync', self.wid, geometry[0], geometry[1])
            xdotool('windowsize', '--sync', self.wid, geometry[2], geometry[3])

    def focus(self):
        focus(self.wid)

    def click_into(self):
        """Takes the focus back with a real click, after another program's window took it."""
        x, y, width, height = window_geometry(self.wid)
        xdotool('mousemove', '--sync', x + width // 2, y + height // 2, 'click', 1)
        time.sleep(0.3)

    def select_all(self):
        self.focus()
        xdotool('key', '--clearmodifiers', 'ctrl+a')
        time.sleep(0.2)

    def deselect(self):
        self.focus()
        xdotool('key', '--clearmodifiers', 'ctrl+End')
        time.sleep(0.2)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        shutil.rmtree(self.folder, ignore_errors=True)


class HttpServer:
    """A local HTTP server on 127.0.0.1 whose answer a test sets.

    Reached by the program through the Wine prefix's proxy settings, so the
    program's real URL is requested and no test-only switch is needed."""

    def __init__(self, port=0):
        self.body = b'1.0'
        self.status = 200
        self.delay = 0.0
        self.requests = []
        self.answers = 0  # answers sent, after any delay
        self.refuse = False
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                outer.requests.append(self.path)
                if outer.delay:
                    time.sleep(outer.delay)
                outer.answers += 1
                body = outer.body
                self.send_response(outer.status)
                self.send_header('Content-Type', 'text/plain')
                self.send_header('Content-Length', str(len(body)))
                self.end_headers()
                try:
                    chunk = 1 << 20
                    for i in range(0, len(body), chunk):
                        self.wfile.write(body[i:i + chunk])
                except (BrokenPipeError, ConnectionResetError):
                    pass

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
        self.server.daemon_threads = True
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def use_as_wine_proxy(self):
        key = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
        wine_reg('add', key, '/v', 'ProxyEnable', '/t', 'REG_DWORD', '/d', '1', '/f')
        wine_reg('add', key, '/v', 'ProxyServer', '/t', 'REG_SZ', '/d',
                 '127.0.0.1:%d' % self.port, '/f')

    @staticmethod
    def clear_wine_proxy():
        key = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
        wine_reg('add', key, '/v', 'ProxyEnable', '/t', 'REG_DWORD', '/d', '0', '/f')

    def close(self):
        self.server.shutdown()
        self.server.server_close()


def syscommand(title, command, with_output=False):
    """Sends a window's title-bar command ("close" or "minimize") by its exact title; the
    exit code, and with_output also what the helper printed."""
    exe = os.path.join(BUILD_DIR, 'syscommand.exe')
    result = subprocess.run([WINELOADER, exe, title, command], stdin=subprocess.DEVNULL,
                            capture_output=True, timeout=30)
    return (result.returncode, result.stdout.decode()) if with_output else result.returncode


# The notification area. Under Xvfb there is no XEmbed tray, so Wine's explorer shows
# its own "Wine System Tray" window while it holds icons; the first icon sits at its left.
TRAY_ICON_SPOT = (10, 10)


def wine_tray(timeout=10.0):
    return wait_window('^Wine System Tray$', timeout)


def hover_tray_icon(tray):
    xdotool('mousemove', '--window', tray, *TRAY_ICON_SPOT)


def click_tray_icon(tray, button):
    """button: 1 left, 3 right."""
    xdotool('mousemove', '--window', tray, *TRAY_ICON_SPOT, 'click', button)


def move_pointer_away():
    xdotool('mousemove', 900, 900)


def untitled_windows(exe_name):
    """Visible windows of a Wine process without a caption: popup menus, balloons."""
    out = xdotool('search', '--onlyvisible', '--classname', '^%s$' % re.escape(exe_name))
    wids = [int(w) for w in out.split()] if out else []
    return [w for w in wids if xdotool('getwindowname', w) == '']


def wait_popup_menu(exe_name, timeout=10.0):
    found = wait_until(lambda: untitled_windows(exe_name), timeout)
    return found[0] if found else None


def balloons():
    """Balloon windows shown by Wine's notification area."""
    tray = find_windows('^Wine System Tray$')
    return [w for w in untitled_windows('explorer.exe') if w not in tray]


def use_closed_port_as_wine_proxy():
    """Points WinINet at a proxy port where nobody listens: every request is refused until
    a server is started there. Returns the port."""
    import socket
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        port = s.getsockname()[1]
    key = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
    wine_reg('add', key, '/v', 'ProxyEnable', '/t', 'REG_DWORD', '/d', '1', '/f')
    wine_reg('add', key, '/v', 'ProxyServer', '/t', 'REG_SZ', '/d', '127.0.0.1:%d' % port, '/f')
    return port


# The program itself.
QUENMARK_TITLE = 'Quenmark Search   1.0'
QUENMARK_TITLE_RE = r'^Quenmark Search   1\.0$'


def saved_ini(update_tips=0, search_and_close=0):
    """A set.ini as the program saves it, with Ctrl+Alt+Q and Ctrl+Alt+W switched on."""
    return ('[hotkey]\r\nHotKey1Text=Ctrl + Alt + Q\r\nHotKey1KeyCode=81\r\nHotKey1ModKeyCode=3\r\n'
            'HotKey2Text=Ctrl + Alt + W\r\nHotKey2KeyCode=87\r\nHotKey2ModKeyCode=3\r\n'
            '[check]\r\nchecka=1\r\ncheckb=1\r\ncheckc=%d\r\n[auto]\r\nchecka=%d\r\n'
            % (search_and_close, update_tips))


class ScreenPixels:
    """One screenshot of the whole screen; pixel(x, y) gives (r, g, b)."""

    def __init__(self):
        data = subprocess.run(['import', '-window', 'root', '-depth', '8', 'ppm:-'],
                              stdin=subprocess.DEVNULL,
                              capture_output=True, check=True).stdout
        # Binary PPM: "P6", width, height, maximum value, then one byte per channel.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b'#':
                pos = data.index(b'\n', pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        self.width, self.height = int(fields[1]), int(fields[2])
        if int(fields[3]) != 255:
            raise RuntimeError('expected 8 bits per channel, got maximum %s' % fields[3])
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])


class UpdateAnsweredLocally(unittest.TestCase):
    """Base of tests that run the program: its update check, 800 ms after start, is
    answered by a local server with the program's own version."""

    @classmethod
    def setUpClass(cls):
        cls.server = HttpServer()
        cls.server.use_as_wine_proxy()

    @classmethod
    def tearDownClass(cls):
        HttpServer.clear_wine_proxy()
        cls.server.close()

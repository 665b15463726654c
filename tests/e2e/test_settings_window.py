"""The settings window end to end: start-up, Save, closing, one copy at a time,
the maker's pages, minimising, the auto-start box and the layout at 96 dpi."""
import os
import re
import shutil
import tempfile
import time
import unittest

import qmwine

TITLE = qmwine.QUENMARK_TITLE
TITLE_RE = qmwine.QUENMARK_TITLE_RE
RUN_KEY = r'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
USER_RUN_KEY = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# Task Manager's startup switch for the machine-wide entry; a 32-bit program's is "Run32".
SWITCH_KEY = (r'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run' +
              ('32' if qmwine.WINE32 else ''))
SWITCHED_OFF = '03000000d40d438dc83bd901'
SAVED_INI = qmwine.saved_ini()

# Client-area pixel positions at 96 dpi (twips / 15).
IMAGE1 = (32, 32)
IMAGE2 = (208, 88)
CHECK1 = (6, 88)
CHK_CHECK1 = (214, 16)
CHK_CHECK2 = (214, 56)
HOTKEY1_FIELD = (130, 12)
HOTKEY2_FIELD = (130, 52)
HOTKEY2_CLEARED = 'HotKey2Text=NULL\r\nHotKey2KeyCode=0\r\nHotKey2ModKeyCode=0\r\n'
DOUBLE_CLICK_TIME = 0.6  # two clicks closer than this would be one double-click
FIRST_HOTKEY_OFF_INI = SAVED_INI.replace('checka=1\r\ncheckb', 'checka=0\r\ncheckb')
SECOND_HOTKEY_NULL_INI = (SAVED_INI.replace('HotKey2Text=Ctrl + Alt + W', 'HotKey2Text=NULL')
                          .replace('HotKey2KeyCode=87', 'HotKey2KeyCode=0')
                          .replace('HotKey2ModKeyCode=3', 'HotKey2ModKeyCode=0')
                          .replace('checkb=1', 'checkb=0'))


class SettingsWindowTest(qmwine.UpdateAnsweredLocally):
    def setUp(self):
        self.programs = []
        self.remove_auto_start()

    def tearDown(self):
        for program in self.programs:
            program.cleanup()
        self.remove_auto_start()

    @staticmethod
    def remove_auto_start():
        for key in (RUN_KEY, SWITCH_KEY):
            qmwine.wine_reg('delete', key, '/v', 'quenmarksearch', '/f')

    def start(self, ini_text=None, folder=None, extra_env=None, args=()):
        program = qmwine.Program('quenmark.exe', ini_text=ini_text, folder=folder)
        self.programs.append(program)
        program.start(extra_env, args)
        return program

    def main_window(self):
        wid = qmwine.wait_window(TITLE_RE, 20)
        self.assertIsNotNone(wid, 'the settings window did not appear')
        return wid

    def click(self, wid, point, button=1):
        x, y, _, _ = qmwine.window_geometry(wid)
        qmwine.xdotool('mousemove', '--sync', x + point[0], y + point[1])
        qmwine.xdotool('click', button)

    def click_field(self, wid, point):
        """Clicks a field and waits until it has the keyboard focus, so that keys sent next
        reach it and not the hotkeys it withdraws while focused."""
        self.click(wid, point)

        def focused():
            code, out = qmwine.syscommand(TITLE, 'focus', with_output=True)
            left, top, right, bottom = map(int, out.split()) if code == 0 else (0, 0, 0, 0)
            return left <= point[0] < right and top <= point[1] < bottom
        self.assertTrue(qmwine.wait_until(focused, 20), 'the field did not take the focus')

    def close(self, program):
        self.assertEqual(qmwine.syscommand(TITLE, 'close'), 0)
        self.assertIsNotNone(program.wait_exit(15), 'the program did not end on close')

    def test_first_start_without_settings(self):
        self.server.requests.clear()
        program = self.start()
        for _ in range(2):
            self.assertIsNotNone(qmwine.answer_message_box('error', timeout=20),
                                 'expected a "Not set hotkey" message')
        self.main_window()
        self.assertTrue(qmwine.wait_until(lambda: self.server.requests, 20),
                        '"Update Tips" is ticked by default: the check must run')
        self.assertIsNone(program.read_ini(), 'set.ini must not exist before the first Save')
        self.assertNotRegex(program.output(), r'(?m)^trace ', 'a start-up trace only when asked')
        self.close(program)
        self.assertEqual(
            program.read_ini(),
            '[hotkey]\r\nHotKey1Text=NULL\r\nHotKey1KeyCode=0\r\nHotKey1ModKeyCode=0\r\n'
            'HotKey2Text=NULL\r\nHotKey2KeyCode=0\r\nHotKey2ModKeyCode=0\r\n'
            '[check]\r\nchecka=0\r\ncheckb=0\r\ncheckc=1\r\n[auto]\r\nchecka=1\r\n')

    def test_saved_settings_come_back_and_are_saved_unchanged(self):
        # Started as an installer starts it again after closing it: a plain start.
        program = self.start(SAVED_INI, args=['/restart'])
        self.main_window()
        self.assertIsNone(qmwine.wait_window('^error$', 2), 'no message expected')
        self.close(program)
        self.assertEqual(program.read_ini(), SAVED_INI)

    def test_effective_box_click_switches_and_is_saved(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        self.click(wid, CHK_CHECK1)
        time.sleep(0.5)
        self.close(program)
        self.assertIn('[check]\r\nchecka=0\r\ncheckb=1\r\n', program.read_ini())

    def test_press_with_the_focus_in_a_hotkey_field_captures_nothing(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        qmwine.focus(wid)
        self.click(wid, HOTKEY1_FIELD)
        # Typed there, the other combination would be the field's; the press is handed
        # to the program as the system does, whatever has the focus.
        self.assertEqual(qmwine.syscommand(TITLE, 'hotkey'), 0)
        self.assertEqual(program.wait_launches(1), ['https://www.google.com/search?q='])
        self.close(program)
        self.assertEqual(program.read_ini(), SAVED_INI)

    def test_a_field_takes_the_other_combination_but_never_the_copy_keys(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        qmwine.focus(wid)
        self.click_field(wid, HOTKEY2_FIELD)
        qmwine.xdotool('key', 'ctrl+alt+q')  # the first field's combination: no search
        self.click(wid, CHK_CHECK2)  # untick
        time.sleep(DOUBLE_CLICK_TIME)
        self.click(wid, CHK_CHECK2)  # tick again: Ctrl+Alt+Q is taken
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'no clash box')

        self.click_field(wid, HOTKEY2_FIELD)
        qmwine.xdotool('key', 'ctrl+c')
        self.click(wid, CHK_CHECK2)
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'Ctrl+C must be refused')
        self.close(program)
        self.assertIn(SAVED_INI.split('HotKey2Text')[0] + HOTKEY2_CLEARED, program.read_ini())
        self.assertIn('checkb=0', program.read_ini())
        self.assertEqual(program.launched_urls(), [])

    def test_stored_values_the_program_cannot_use(self):
        rows = [
            # The second registration of the same combination fails: its box clears.
            ('two identical combinations', SAVED_INI.replace(
                'HotKey2Text=Ctrl + Alt + W\r\nHotKey2KeyCode=87',
                'HotKey2Text=Ctrl + Alt + Q\r\nHotKey2KeyCode=81'), 1, SECOND_HOTKEY_NULL_INI),
            # Shown as Ctrl + Alt + W it would register plain W: no combination at all.
            ('modifiers out of range', SAVED_INI.replace(
                'HotKey2ModKeyCode=3', 'HotKey2ModKeyCode=-1'), 1, SECOND_HOTKEY_NULL_INI),
            # A box value that is no state keeps the box as it starts: ticked.
            ('check-box values that are no state', SAVED_INI.replace(
                'checka=1\r\ncheckb=1\r\ncheckc=0\r\n[auto]\r\nchecka=0',
                'checka=abc\r\ncheckb=7\r\ncheckc=-1\r\n[auto]\r\nchecka='), 0,
             qmwine.saved_ini(update_tips=1, search_and_close=1)),
        ]
        for name, ini, messages, saved in rows:
            with self.subTest(name):
                program = self.start(ini)
                for _ in range(messages):
                    self.assertIsNotNone(qmwine.answer_message_box('error', timeout=20),
                                         'expected the hotkey\'s message')
                self.main_window()
                self.assertIsNone(qmwine.wait_window('^error$', 1), 'one message only')
                self.close(program)
                self.assertEqual(program.read_ini(), saved)

    def test_end_of_session_saves_as_closing_does(self):
        # The update check's fetch still hangs: the end must not wait for its thread.
        self.server.requests.clear()
        self.server.delay = 300
        self.addCleanup(setattr, self.server, 'delay', 0)
        ini = qmwine.saved_ini(update_tips=1)
        program = self.start(ini)
        wid = self.main_window()
        self.assertTrue(qmwine.wait_until(lambda: self.server.requests, 20), 'no fetch')
        self.click(wid, CHK_CHECK1)
        time.sleep(0.5)
        self.assertEqual(program.read_ini(), ini, 'nothing is saved before the end')
        code, said = qmwine.syscommand(TITLE, 'endsession', with_output=True)
        self.assertEqual(code, 0, 'the end of the session was refused or the program stayed')
        self.assertIsNotNone(program.wait_exit(15), 'the program did not end with the session')
        print('\nlog-off with a fetch hanging: program ' + said.strip())
        self.assertEqual(program.read_ini(),
                         ini.replace('checka=1\r\ncheckb', 'checka=0\r\ncheckb'))

    def test_effective_box_after_an_edit_with_the_right_button_and_with_space(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        qmwine.focus(wid)
        launches = 0

        def hotkey_fires():
            """Presses the edited combination; the first hotkey launches even with nothing
            selected."""
            xdotool_count = len(program.launched_urls())
            qmwine.xdotool('key', 'ctrl+alt+e')
            return qmwine.wait_until(lambda: len(program.launched_urls()) > xdotool_count, 3)

        self.click(wid, HOTKEY1_FIELD)
        qmwine.xdotool('key', 'ctrl+alt+e')  # a new combination, not yet registered
        time.sleep(0.3)
        self.click(wid, CHK_CHECK1)  # the ticked box clears; the hotkey stays off
        time.sleep(0.3)
        self.click(wid, CHK_CHECK1)  # the second click switches it on
        time.sleep(0.3)
        self.assertTrue(hotkey_fires(), 'the second click must register the edited combination')
        self.click(wid, CHK_CHECK1, button=3)
        time.sleep(0.3)
        self.assertTrue(hotkey_fires(), 'a right-button release leaves the hotkey on')
        qmwine.xdotool('key', 'space')  # the box has the focus: Space clears it
        time.sleep(0.3)
        self.assertFalse(hotkey_fires(), 'Space clears the box and switches the hotkey off')
        self.close(program)
        self.assertEqual(program.read_ini(), FIRST_HOTKEY_OFF_INI.replace(
            'HotKey1Text=Ctrl + Alt + Q\r\nHotKey1KeyCode=81',
            'HotKey1Text=Ctrl + Alt + E\r\nHotKey1KeyCode=69'))

    def test_folder_named_in_cyrillic_keeps_settings_and_auto_start_names_the_exe(self):
        folder = os.path.join(tempfile.mkdtemp(prefix='qm-e2e-'), 'Программы Quenmark')
        os.makedirs(folder)
        program = self.start(SAVED_INI, folder=folder)
        wid = self.main_window()
        self.assertIsNone(qmwine.wait_window('^error$', 1), 'the stored hotkeys must load')
        self.click(wid, CHK_CHECK1)
        self.click(wid, CHECK1)
        value = qmwine.wait_until(lambda: qmwine.reg_value_text(RUN_KEY, 'quenmarksearch'), 5)
        self.assertEqual(value, '"%s"' % qmwine.windows_path(program.exe),
                         'the Run value must name the real exe, quoted for the blank')
        self.close(program)
        self.assertEqual(program.read_ini(), FIRST_HOTKEY_OFF_INI)

        again = self.start(folder=folder)
        self.main_window()
        self.assertIsNone(qmwine.wait_window('^error$', 1), 'the saved hotkeys must load')
        self.close(again)
        self.assertEqual(again.read_ini(), FIRST_HOTKEY_OFF_INI)
        self.assertEqual(qmwine.reg_value_text(RUN_KEY, 'quenmarksearch'), value,
                         'a start with the entry present leaves it in place')

    def test_second_copy_hands_over_and_touches_nothing(self):
        first = self.start(SAVED_INI)
        self.main_window()
        self.assertEqual(qmwine.syscommand(TITLE, 'minimize'), 0)
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows(TITLE_RE), 10),
                        'minimising must hide the window')
        second = qmwine.Program('quenmark.exe', folder=first.folder)
        self.programs.append(second)
        second.start()
        self.assertEqual(second.wait_exit(20), 0, 'the second copy must end by itself')
        self.assertIsNone(qmwine.wait_window('^error$', 1), 'the second copy must not clash')
        self.assertIsNotNone(qmwine.wait_window(TITLE_RE, 10),
                             'the running copy must come to the front')
        self.assertTrue(first.running())
        self.assertEqual(first.read_ini(), SAVED_INI)

    def test_pictures_open_the_makers_pages_from_a_com_apartment(self):
        program = self.start(SAVED_INI, extra_env={'WINEDEBUG': 'trace+ole,+loaddll'})
        wid = self.main_window()
        # COM waits for the first launch (Wine's IME enters an apartment of its own, 0x2),
        # and the profile folders for an entry to write.
        self.assertNotRegex(program.output(), r'trace:ole:CoInitializeEx 0+, 0x6\n')
        self.assertNotIn('userenv.dll', program.output())
        self.click(wid, IMAGE1)
        self.assertTrue(program.wait_launches(1))
        self.click(wid, IMAGE2)
        self.assertTrue(program.wait_launches(2))
        self.assertEqual(program.launched_urls(),
                         ['http://www.lindhollow.com', 'http://www.quenmark.com/search/faq.html'])
        # The shell may use COM for a URL handler: each launch enters a single-threaded
        # apartment (0x6: apartment-threaded, OLE1 DDE off).
        self.assertEqual(len(re.findall(r'trace:ole:CoInitializeEx 0+, 0x6\n', program.output())), 2)

    def test_the_logo_names_its_maker_when_the_pointer_rests_on_it(self):
        self.start(SAVED_INI)
        x, y, _, _ = qmwine.window_geometry(self.main_window())
        # The tip is made when the pointer first comes onto the logo, and follows its moves.
        for dx in (0, 2):
            qmwine.xdotool('mousemove', '--sync', x + IMAGE1[0] + dx, y + IMAGE1[1])
        self.assertIsNotNone(qmwine.wait_popup_menu('quenmark.exe'), 'no tip over the logo')

    def test_auto_start_box_writes_and_removes_the_run_value(self):
        folder = os.path.join(tempfile.mkdtemp(prefix='qm-e2e-'), 'Program Files')
        os.makedirs(folder)
        for switched_off in (False, True):
            with self.subTest(switched_off=switched_off):
                program = qmwine.Program('quenmark.exe', ini_text=SAVED_INI, folder=folder)
                command = '"%s"' % qmwine.windows_path(program.exe)
                if switched_off:
                    # An entry switched off in Task Manager starts nothing: the box shows
                    # clear, and the start-up's clearing takes the entry and the switch.
                    qmwine.wine_reg('add', RUN_KEY, '/v', 'quenmarksearch', '/t', 'REG_SZ',
                                    '/d', command, '/f')
                    qmwine.wine_reg('add', SWITCH_KEY, '/v', 'quenmarksearch', '/t',
                                    'REG_BINARY', '/d', SWITCHED_OFF, '/f')
                    self.assertEqual(qmwine.reg_query(SWITCH_KEY, 'quenmarksearch'),
                                     ('REG_BINARY', SWITCHED_OFF.upper()))
                self.programs.append(program)
                program.start()
                wid = self.main_window()
                self.assertTrue(qmwine.wait_until(
                    lambda: qmwine.reg_query(RUN_KEY, 'quenmarksearch') is None, 5))
                self.assertIsNone(qmwine.reg_query(SWITCH_KEY, 'quenmarksearch'))
                self.click(wid, CHECK1)
                value = qmwine.wait_until(lambda: qmwine.reg_query(RUN_KEY, 'quenmarksearch'), 5)
                self.assertIsNotNone(value, 'ticking "Auto start" must write the Run value')
                # A path with blanks is quoted, so Windows does not try "C:\...\Program.exe" first.
                self.assertEqual(value, ('REG_SZ', command))
                self.assertIsNone(qmwine.reg_query(SWITCH_KEY, 'quenmarksearch'))
                self.click(wid, CHECK1)
                self.assertTrue(qmwine.wait_until(
                    lambda: qmwine.reg_query(RUN_KEY, 'quenmarksearch') is None, 5))
                program.stop()

    def test_a_copy_in_another_users_profile_starts_with_windows_for_nobody(self):
        # Run with this account's password from another user's Downloads: that user could
        # replace the exe, which an entry of this account's would start.
        other = os.path.join(os.environ['WINEPREFIX'], 'drive_c', 'users', 'qm-other')
        self.addCleanup(shutil.rmtree, other, True)
        folder = os.path.join(other, 'Downloads')
        os.makedirs(folder)
        program = self.start(SAVED_INI, folder=folder)
        wid = self.main_window()
        self.click(wid, CHECK1)
        self.assertIsNotNone(qmwine.answer_message_box('Auto start'), 'ticking must say why')
        for key in (RUN_KEY, USER_RUN_KEY):
            self.assertIsNone(qmwine.reg_query(key, 'quenmarksearch'), key)
        self.close(program)
        self.assertIn('[auto]\r\nchecka=0', program.read_ini(), 'the box stays clear')

    def test_layout_at_96_dpi(self):
        self.start(SAVED_INI)
        wid = self.main_window()
        x, y, width, height = qmwine.window_geometry(wid)
        self.assertEqual((width, height), (449, 103))
        time.sleep(0.5)
        screen = qmwine.ScreenPixels()

        def pixel(cx, cy):
            return screen.pixel(x + cx, y + cy)
        self.assertEqual(pixel(190, 3), (0, 153, 255), 'HotKey1 is azure')
        self.assertEqual(pixel(190, 43), (255, 0, 0), 'HotKey2 is red')
        self.assertEqual(pixel(300, 32), (0, 0, 0), 'Line1 at 480 twips')
        self.assertEqual(pixel(10, 72), (0, 0, 0), 'Line2 at 1080 twips')
        self.assertNotEqual(pixel(32, 32), pixel(300, 20), 'the logo is drawn')


if __name__ == '__main__':
    unittest.main()

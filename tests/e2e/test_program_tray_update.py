"""The program's tray icon, menu and update check, end to end through quenmark.exe."""
import time
import unittest

import qmwine

EXE = 'quenmark.exe'


class ProgramTrayAndUpdate(unittest.TestCase):
    def setUp(self):
        self.server = qmwine.HttpServer()
        self.server.use_as_wine_proxy()
        self.program = None

    def tearDown(self):
        if self.program:
            self.program.cleanup()
        qmwine.HttpServer.clear_wine_proxy()
        self.server.close()

    def start(self, ini_text):
        self.program = qmwine.Program(EXE, ini_text=ini_text).start()
        self.assertIsNotNone(qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20))
        return self.program

    def choose_from_tray_menu(self, keys, button=3):
        tray = qmwine.wine_tray()
        self.assertIsNotNone(tray, 'no icon in the notification area')
        qmwine.click_tray_icon(tray, button)
        self.assertIsNotNone(qmwine.wait_popup_menu(EXE), 'the tray menu did not open')
        qmwine.xdotool('key', '--delay', '100', *keys)

    def test_setting_brings_back_the_minimised_window_and_exit_saves(self):
        # Without "checkc" the box keeps its ticked default, which exit must write.
        program = self.start(qmwine.saved_ini().replace('checkc=0\r\n', ''))
        self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'minimize'), 0)
        self.assertTrue(qmwine.wait_until(
            lambda: not qmwine.find_windows(qmwine.QUENMARK_TITLE_RE), 10))
        self.choose_from_tray_menu(['Down', 'Return'], button=1)
        self.assertIsNotNone(qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 10),
                             '"Setting" did not show the settings window')
        self.choose_from_tray_menu(['Up', 'Return'])
        self.assertEqual(program.wait_exit(15), 0, '"exit" did not end the program')
        self.assertEqual(program.read_ini(), qmwine.saved_ini(search_and_close=1))
        self.assertTrue(qmwine.wait_until(
            lambda: not qmwine.find_windows('^Wine System Tray$'), 10), 'the icon stayed')

    def test_newer_version_offers_the_download_page_and_own_version_asks_nothing(self):
        for answer in (b'1.0', b'1.1'):
            with self.subTest(answer=answer):
                self.server.body = answer
                self.server.requests.clear()
                program = self.start(qmwine.saved_ini(update_tips=1))
                self.assertTrue(qmwine.wait_until(lambda: self.server.requests, 20))
                if answer == b'1.0':
                    self.assertIsNone(qmwine.wait_window('^Please select$', 3))
                    self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'close'), 0)
                    self.assertEqual(program.wait_exit(15), 0)
                    program.cleanup()
                    continue
                self.assertIsNotNone(qmwine.answer_message_box('Please select', 'Return', 20),
                                     'no update prompt')
                self.assertEqual(program.wait_launches(1),
                                 ['http://www.quenmark.com/search/index.html'])
                # With DLLs taken from the system folder only, the tray's launches work too.
                self.choose_from_tray_menu(['Down', 'Down', 'Down', 'Return'])
                self.assertEqual(program.wait_launches(2)[1:], ['http://www.quenmark.com'])
                self.assertEqual(len(self.server.requests), 1, self.server.requests)
                self.assertRegex(self.server.requests[0],
                                 r'^http://www\.quenmark\.com(:80)?/search/updata/updatanew\.txt$')

    def test_update_tips_clear_or_grey_makes_no_request_and_grey_is_kept(self):
        self.server.body = b'1.1'
        for state in (0, 2):
            with self.subTest(update_tips=state):
                self.server.requests.clear()
                ini = qmwine.saved_ini(update_tips=state, search_and_close=state)
                program = self.start(ini)
                time.sleep(3)
                self.assertEqual(self.server.requests, [])
                self.assertIsNone(qmwine.wait_window('^Please select$', 1))
                self.assertEqual(qmwine.syscommand(qmwine.QUENMARK_TITLE, 'close'), 0)
                self.assertEqual(program.wait_exit(15), 0)
                self.assertEqual(program.read_ini(), ini)
                program.cleanup()
                self.program = None


if __name__ == '__main__':
    unittest.main()

"""The update check, with a local server standing in for the maker's site as the proxy."""
import time
import unittest
import urllib.parse

import qmwine

PROMPT = ('box title=Please select text=Find new version.Do you open the web? '
          '[OK*] [Cancel]')
DOWNLOAD_PAGE = 'http://www.quenmark.com/search/index.html'
HOST_EXE = 'tray_host.exe'


class UpdateCheck(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = qmwine.HttpServer()

    @classmethod
    def tearDownClass(cls):
        cls.server.close()
        qmwine.HttpServer.clear_wine_proxy()

    def setUp(self):
        self.server.requests.clear()
        self.server.answers = 0
        self.server.delay = 0
        self.server.status = 200
        self.server.use_as_wine_proxy()
        self.host = None

    def tearDown(self):
        if self.host:
            self.host.cleanup()

    def start(self, retry_ms=None):
        if self.host:
            self.host.cleanup()
        self.server.requests.clear()
        retry = ['retry=%d' % retry_ms] if retry_ms else []
        self.host = qmwine.Program(HOST_EXE).start(args=['update', *retry])
        self.assertTrue(self.host.wait_output(r'^ready$', 20), self.host.output())
        return self.host

    def wait_done_without_prompt(self, timeout=20):
        self.assertTrue(self.host.wait_output(r'^update done$', timeout), self.host.output())
        self.assertNotIn('box title', self.host.output())

    def answer_prompt(self, key):
        self.assertTrue(self.host.wait_output(r'^box title=', 20), self.host.output())
        self.assertIn(PROMPT, self.host.output().splitlines())
        self.assertTrue(qmwine.answer_message_box('Please select', key))
        self.assertTrue(self.host.wait_output(r'^update done$', 10), self.host.output())

    def wait_request(self):
        self.assertTrue(qmwine.wait_until(lambda: self.server.requests, 20))

    def open_and_close_menu(self):
        closed = self.host.output().count('menu closed')
        qmwine.click_tray_icon(qmwine.wine_tray(), 3)
        self.assertIsNotNone(qmwine.wait_popup_menu(HOST_EXE), self.host.output())
        qmwine.xdotool('key', 'Escape')
        self.assertTrue(qmwine.wait_until(
            lambda: self.host.output().count('menu closed') > closed, 10))

    def test_own_version_asks_nothing_and_the_version_file_is_asked_for(self):
        self.server.body = b'1.0'
        self.start()
        self.wait_done_without_prompt()
        self.assertEqual(len(self.server.requests), 1)
        # The proxy is handed the absolute URL.
        url = urllib.parse.urlsplit(self.server.requests[0])
        self.assertEqual(url.hostname, 'www.quenmark.com')
        self.assertIn(url.port, (None, 80))
        self.assertEqual(url.path, '/search/updata/updatanew.txt')
        self.assertEqual(url.query, '')

    def test_a_newer_version_asks_and_only_ok_opens_the_download_page(self):
        for body, key, launched in ((b'1.1', 'Return', [DOWNLOAD_PAGE]),
                                    (b'1.1\r\n', 'Escape', [])):
            with self.subTest(body=body, key=key):
                self.server.body = body
                self.start()
                self.answer_prompt(key)
                if launched:
                    self.host.wait_launches(len(launched))
                else:
                    time.sleep(1.5)  # a launch would reach the log by now
                self.assertEqual(self.host.launched_urls(), launched)

    def test_own_or_older_version_or_no_version_asks_nothing(self):
        rows = [
            ('line break', 200, b'1.0\r\n'),
            ('byte-order mark and blanks', 200, b'\xef\xbb\xbf 1.0 \n\n'),
            ('empty', 200, b''),
            ('older', 200, b'0.9'),
            ('same, written longer', 200, b'1.0.0\n'),
            ('captive portal page', 200,
             b'<!DOCTYPE html><html><head><title>Sign in</title></head></html>'),
            ('proxy block page', 200, b'Blocked by policy: Software Downloads'),
            ('error page', 404, b'<html><body>Not Found</body></html>'),
            ('server error', 500, b'1.1'),
            ('refused', 200, b'1.1'),
        ]
        for case, status, body in rows:
            with self.subTest(case=case):
                self.server.status, self.server.body = status, body
                if case == 'refused':
                    qmwine.use_closed_port_as_wine_proxy()
                self.start()
                self.wait_done_without_prompt()
                # Only a check that could not connect comes again; an answer is final.
                self.assertEqual('update again later' in self.host.output(), case == 'refused')
        self.open_and_close_menu()

    def test_a_check_that_could_not_connect_comes_once_more(self):
        port = qmwine.use_closed_port_as_wine_proxy()
        self.start(retry_ms=3000)
        self.assertTrue(self.host.wait_output(r'^update again later$', 20))
        # The network is up by the second check, which finds the new version.
        server = qmwine.HttpServer(port)
        self.addCleanup(server.close)
        server.body = b'1.1'
        self.answer_prompt('Escape')
        self.assertEqual(len(server.requests), 1)
        self.assertEqual(self.host.output().count('update again later'), 1)

    def test_slow_answer_keeps_the_menu_working_and_a_second_check_is_refused(self):
        self.server.body = b'1.0'
        self.server.delay = 6
        self.start()
        self.wait_request()
        self.open_and_close_menu()
        # "Setting" in this host also asks for the check again while the first still runs.
        qmwine.click_tray_icon(qmwine.wine_tray(), 3)
        self.assertIsNotNone(qmwine.wait_popup_menu(HOST_EXE))
        qmwine.xdotool('key', '--delay', '100', 'Down', 'Return')
        self.assertTrue(self.host.wait_output(r'^nested update returned$', 10), self.host.output())
        self.assertNotIn('update done', self.host.output())
        self.wait_done_without_prompt()
        self.assertEqual(len(self.server.requests), 1)

    def test_exit_during_a_slow_answer_ends_the_program_at_once(self):
        self.server.body = b'1.1'
        self.server.delay = 40
        self.start()
        self.wait_request()
        qmwine.click_tray_icon(qmwine.wine_tray(), 3)
        self.assertIsNotNone(qmwine.wait_popup_menu(HOST_EXE))
        qmwine.xdotool('key', '--delay', '100', 'Up', 'Return')
        self.assertEqual(self.host.wait_exit(60), 0, self.host.output())
        self.assertEqual(self.server.answers, 0, 'the exit waited for the answer')
        lines = self.host.output().splitlines()
        self.assertLess(lines.index('update done'), lines.index('ended'))
        self.assertNotIn('box title', self.host.output())

    def test_huge_answer_is_cut_short_and_is_no_version(self):
        self.server.body = b'9' * (50 << 20)
        self.start()
        self.wait_done_without_prompt()
        self.assertTrue(self.host.running())


if __name__ == '__main__':
    unittest.main()

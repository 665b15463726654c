"""The hotkey host fixture under Wine: two hotkey fields that print every change."""
import re

import qmwine

STATE = re.compile(r'^(HotKey[12]) text=(.*) key=(-?\d+) mod=(-?\d+) enabled=([01])$', re.M)


def ini(**fields):
    """set.ini text holding combinations: ini(HotKey1=('Ctrl + Q', 81, 2))."""
    lines = ['[hotkey]']
    for name, (text, key, mod) in fields.items():
        lines += ['%sText=%s' % (name, text), '%sKeyCode=%d' % (name, key),
                  '%sModKeyCode=%d' % (name, mod)]
    return '\r\n'.join(lines) + '\r\n'


class HotKeyHost:
    def __init__(self, ini_text=None, enable=''):
        self.program = qmwine.Program('hotkey_host.exe', ini_text=ini_text)
        self.program.start({'QM_HOST_ENABLE': enable})
        if not self.program.wait_output(r'^HotKey2 check=', 30):
            raise RuntimeError('host did not start: %s' % self.program.output())
        self.wid = qmwine.wait_window('^Quenmark HotKey Host$', 10)
        self.places = {(m.group(1), m.group(2)): (int(m.group(3)), int(m.group(4)))
                       for m in re.finditer(r'^(HotKey[12]) (field|check)=(\d+),(\d+)$',
                                            self.program.output(), re.M)}

    def mark(self):
        """A position in the output; later waits look only at what follows it."""
        return len(self.program.output())

    def states(self, field, since=0):
        return [(m.group(2), int(m.group(3)), int(m.group(4)), int(m.group(5)))
                for m in STATE.finditer(self.program.output()[since:]) if m.group(1) == field]

    def state(self, field):
        states = self.states(field)
        return states[-1] if states else None

    def wait_state(self, field, expected, since=0, timeout=10.0):
        """Waits until the field's last reported state is expected; returns the last one."""
        qmwine.wait_until(lambda: self.states(field, since)[-1:] == [expected], timeout)
        states = self.states(field, since)
        return states[-1] if states else None

    def wait_line(self, line, since=0, timeout=10.0):
        pattern = re.compile('^%s$' % re.escape(line), re.M)
        return qmwine.wait_until(lambda: pattern.search(self.program.output()[since:]), timeout)

    def count(self, line, since=0):
        return len(re.findall('^%s$' % re.escape(line), self.program.output()[since:], re.M))

    def click(self, field, what='field', button=1):
        qmwine.focus(self.wid)
        x, y = self.places[(field, what)]
        qmwine.xdotool('mousemove', x, y, 'click', button)

    def cleanup(self):
        self.program.cleanup()

#!/usr/bin/env python3
"""FTP server for the online-update tests, on 127.0.0.1 and a free port.

Serves --root to one user. Listings come in the form "MM-DD-YY  HH:MMAM"
followed by the size and the name, as the update client reads them, or as
the bytes of --listing. --mode makes the server misbehave:

  normal             serve as asked
  close-at-greeting  close every connection before the greeting
  close-at-list      close the control connection when a listing is asked for
  cut-download       send --cut-at bytes of a file, then die (both connections
                     drop without a reply)
  short-download     send --cut-at bytes of a file and report it complete
  short-unsized      the same, and refuse SIZE, so only the listing tells the size
  stall-download     send --cut-at bytes of a file, then send nothing more

Prints "PORT <n>" once it listens. Every command received is appended to
--log, one per line.
"""

import argparse
import io
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, FileProducer
from pyftpdlib.servers import ThreadedFTPServer


class DosListingFS(AbstractedFS):
    listing_file = None

    def format_list(self, basedir, listing, ignore_err=True):
        if self.listing_file:
            with open(self.listing_file, 'rb') as f:
                yield f.read()
            return
        for name in listing:
            path = os.path.join(basedir, name)
            try:
                st = os.stat(path)
            except OSError:
                if ignore_err:
                    continue
                raise
            stamp = time.strftime('%m-%d-%y  %I:%M%p', time.localtime(st.st_mtime))
            if os.path.isdir(path):
                column = '%-20s' % '      <DIR>'
            else:
                column = '%20d' % st.st_size
            yield ('%s %s %s\r\n' % (stamp, column, name)).encode('utf8')


class PartialProducer(object):
    """The first cut_at bytes of data, then what the mode asks for."""

    def __init__(self, data, mode, cut_at):
        self.data = data[:cut_at]
        self.mode = mode
        self.sent = False

    def more(self):
        if not self.sent:
            self.sent = True
            return self.data
        if self.mode == 'cut-download':
            # Everything handed over so far has gone to the socket.
            os._exit(0)
        if self.mode == 'stall-download':
            threading.Event().wait(120)
        return b''


class Handler(FTPHandler):
    abstracted_fs = DosListingFS
    # A refused login is answered at once.
    auth_failed_timeout = 0
    mode = 'normal'
    cut_at = 0
    log_file = None

    def handle(self):
        if self.mode == 'close-at-greeting':
            self.close()
            return
        FTPHandler.handle(self)

    def pre_process_command(self, line, cmd, arg):
        if self.log_file:
            with open(self.log_file, 'a') as f:
                f.write(cmd + '\n')
        if cmd == 'LIST' and self.mode == 'close-at-list':
            self.close()
            return
        if cmd == 'SIZE' and self.mode == 'short-unsized':
            self.respond('500 Command "SIZE" not understood.')
            return
        FTPHandler.pre_process_command(self, line, cmd, arg)

    def ftp_RETR(self, file):
        if self.mode not in ('cut-download', 'short-download', 'short-unsized', 'stall-download'):
            return FTPHandler.ftp_RETR(self, file)
        with open(file, 'rb') as f:
            data = f.read()
        self.push_dtp_data(PartialProducer(data, self.mode, self.cut_at), isproducer=True, cmd='RETR')
        return file


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', required=True)
    parser.add_argument('--user', required=True)
    parser.add_argument('--password', required=True)
    parser.add_argument('--mode', default='normal')
    parser.add_argument('--cut-at', type=int, default=0)
    parser.add_argument('--listing')
    parser.add_argument('--log')
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm='elr')
    Handler.authorizer = authorizer
    Handler.mode = args.mode
    Handler.cut_at = args.cut_at
    Handler.log_file = args.log
    DosListingFS.listing_file = args.listing
    server = ThreadedFTPServer(('127.0.0.1', 0), Handler)
    print('PORT %d' % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""A real FTP server on 127.0.0.1 for Quorvel's tests: one user with a
password and a root folder, passive and active transfers, explicit TLS on
request, and the fault of a server that drops the connection when a file
is stored. Prints "PORT <n>" once it listens."""
import argparse
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--root", required=True)
parser.add_argument("--user", required=True)
parser.add_argument("--password", required=True)
parser.add_argument("--certfile")
parser.add_argument("--keyfile")
parser.add_argument("--drop-stor", action="store_true")
args = parser.parse_args()

authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

base = FTPHandler
if args.certfile:
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    base = TLS_FTPHandler

    class DataHandler(TLS_DTPHandler):
        # Clients may do the data connection's handshake as soon as it is
        # open, before the command of the transfer arrives; pyftpdlib 1.5.7
        # takes such early reading for a lost connection and closes it.
        def readable(self):
            if self._ssl_accepting or self._ssl_want_read:
                return True
            if not self.receive and not self._initialized:
                return False
            return super().readable()


class Handler(base):
    def ftp_STOR(self, file, mode="w"):
        if args.drop_stor:
            self.close()
            return
        return super().ftp_STOR(file, mode)


Handler.authorizer = authorizer
# A refused login is answered at once (the tests wait for it).
Handler.auth_failed_timeout = 0.1
if args.certfile:
    Handler.certfile = args.certfile
    Handler.keyfile = args.keyfile
    Handler.tls_control_required = True
    Handler.tls_data_required = True
    Handler.dtp_handler = DataHandler

server = FTPServer(("127.0.0.1", 0), Handler)
print("PORT %d" % server.socket.getsockname()[1], flush=True)
sys.stdout.flush()
server.serve_forever()

#!/usr/bin/perl
# Waits, saying so in a line, while another program (an update running in the background, a
# package manager in another terminal) holds one of the package manager's locks, so that the
# set-up's apt-get does not fail on it: the fcntl locks apt and dpkg take, on the files given.
# The wait blocks in the kernel until the lock is released (F_SETLKW), then lets it go at once.
#   wait-for-package-manager.pl LOCK_FILE...
use strict;
use warnings;
use Fcntl qw(O_RDONLY F_GETLK F_SETLKW F_RDLCK F_UNLCK SEEK_SET);

# struct flock on 64-bit Linux: type and whence (shorts), start and length (64-bit), the pid.
sub lock_request { return pack('s s x4 q q i x4', $_[0], SEEK_SET, 0, 0, 0); }

$| = 1;
for my $path (@ARGV) {
    sysopen(my $file, $path, O_RDONLY) or next;  # no lock file: nobody has used it yet
    my $request = lock_request(F_RDLCK);
    fcntl($file, F_GETLK, $request) or die "error: cannot read the lock on $path: $!\n";
    my ($type, undef, undef, undef, $pid) = unpack('s s x4 q q i x4', $request);
    if ($type != F_UNLCK) {
        my $name = 'another program';
        if (open(my $comm, '<', "/proc/$pid/comm")) { chomp($name = <$comm> // $name); }
        print "Waiting for the package manager: $name (process $pid) is using it\n";
        my $wait = lock_request(F_RDLCK);
        fcntl($file, F_SETLKW, $wait) or die "error: waiting for the lock on $path failed: $!\n";
    }
    close($file);
}

#!/usr/bin/perl
# Lists a Palm resource database as an independent reader (Palm::PDB) sees it:
# the database's type and creator, then one line per resource in file order:
# type, id, length and the MD5 of its bytes.
use strict;
use warnings;
use Digest::MD5 qw(md5_hex);
use Palm::PDB;
use Palm::Raw;

# Every resource database is read as raw bytes, whatever its creator and type.
Palm::PDB::RegisterPRCHandlers('Palm::Raw', [ '', '' ]);
my $pdb = Palm::PDB->new;
$pdb->Load($ARGV[0]);
die "not a resource database\n" unless $pdb->{attributes}{resource};
print "$pdb->{type} $pdb->{creator}\n";
for my $resource (@{ $pdb->{resources} }) {
    printf "%s %d %d %s\n", $resource->{type}, $resource->{id}, length $resource->{data},
        md5_hex($resource->{data});
}

#!/usr/bin/perl
# What help2man reads: PROGRAM's own --help or --version, run under its plain name (the
# usage lines show it). CLI11's help is reshaped where help2man would misread it: an
# option group becomes a sub-section, an option too long for its column gets the second
# blank that ends it, and the subcommands' own help (usage, description, arguments)
# follows in a COMMANDS section instead of the one-line list.
# Usage: program_help.pl PROGRAM --help|--version
use strict;
use warnings;
use File::Basename;

my ($program, @arguments) = @ARGV;

sub run {
  my @command = @_;
  my $pid = open(my $out, '-|') // die "program_help: cannot fork: $!\n";
  if ($pid == 0) {
    exec { $program } basename($program), @command or die "program_help: cannot run $program: $!\n";
  }
  my $text = do { local $/; <$out> };
  close $out or die "program_help: $program @command failed\n";
  return $text;
}

sub tidy {
  my $in_group = 0;
  my @lines;
  my @in = split /\n/, shift;
  for my $i (0 .. $#in) {
    $_ = $in[$i];
    if (/^\[Option Group: (.*)\]$/) { push @lines, "$1:"; $in_group = 1; next }
    $in_group = 0 unless /\S/;
    next if $in_group && /^ +Options:$/;
    s/^  // if $in_group;
    if (($in[$i + 1] // '') =~ /^ {20,}\S/) {
      # An option alone on its line, its description below: CLI11's "Excludes:" and
      # "Needs:" go to the end of the description, the option line stays whole.
      $in[$i + 1] .= " ($1)" if s/ ((?:Excludes|Needs): .*)$//;
    } elsif (!/\S  /) {
      s/^( +-\S+(?: [A-Z][A-Z:]*(?:=\S*)?)?) (?=\S)/$1  /;
    }
    push @lines, $_;
  }
  return join('', map { "$_\n" } @lines);
}

my $help = run(@arguments);
if (($arguments[0] // '') ne '--help') {
  print $help;
  exit 0;
}
my @commands;
if ($help =~ s/^Subcommands:\n((?:  .*\n)+)\n?//m) {
  @commands = $1 =~ /^  (\S+)/mg;
}
print tidy($help);
exit 0 unless @commands;
print "\n*Commands*\n";
for my $command (@commands) {
  my ($description, @lines) = split /\n/, run($command, '--help');
  my ($usage) = map { /^Usage: (.*)/ ? $1 : () } @lines;
  print "$usage:\n  $description\n\n";
  print tidy(join "\n", grep { /\S/ && !/^(?:Usage|Positionals|Options):/ && !/^ +-h,--help / } @lines), "\n";
}

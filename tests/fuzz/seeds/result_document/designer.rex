#BINDIR(00000000#BINDIR)
#DEC(,#DEC)#ENU(Statement&LFwith text#ENU)#SOL(&+BSolution&-B#SOL)#RS1(x = 1&.5#RS1)#RS2(#RS2)

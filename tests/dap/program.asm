* The debug adapter's session test: a loop that calls a routine from an
* included file, which counts in a RAM word.
        AORG >F000
WS:     BSS 32
COUNT:  BSS 2
        AORG >0000
        DATA WS, START
        AORG >0080
START:  CLR @COUNT
        LI R1, 0
LOOP:   BL @BUMP
        INC R1
        JMP LOOP
        COPY 'bump.asm'
        END

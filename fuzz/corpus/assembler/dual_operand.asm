* Two-operand instructions in every addressing mode.
        AORG >0200
START:  MOV  R1,R2
        MOV  *R3,@>F000
        MOVB *R4+,@TABLE(R5)
        A    @VALUE,R6
        AB   R7,*R8+
        S    R9,R10
        SB   *R11,R12
        C    R13,@VALUE
        CB   *R14+,*R15+
        SOC  R0,R1
        SZC  R2,R3
        SOCB R4,R5
        SZCB R6,R7
        COC  R8,R9
        CZC  R10,R11
        XOR  @VALUE,R12
        MPY  R1,R2
        DIV  @VALUE,R4
VALUE:  DATA >1234
TABLE:  BYTE 0,1,2,3

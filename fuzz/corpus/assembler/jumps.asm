* Every jump, forwards and backwards, and B to a label.
        AORG >0400
LOOP:   JMP  NEXT
NEXT:   JLT  LOOP
        JLE  LOOP
        JEQ  $
        JHE  LOOP
        JGT  NEXT
        JNE  $+4
        JNC  LOOP
        JOC  NEXT
        JNO  LOOP
        JL   NEXT
        JH   LOOP
        JOP  NEXT
        B    @LOOP
        B    *R11

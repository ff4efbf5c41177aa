* Demo firmware (being written)
        AORG 0
        DATA >F000, START
START:  JMP START

* The routine that the session's loop calls.
BUMP:   INC @COUNT
        RT

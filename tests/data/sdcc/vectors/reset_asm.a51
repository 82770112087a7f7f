; A program of its own at the reset address, beside a start-up file.
	ORG	0
	LJMP	START
	ORG	30H
START:	MOV	P1,#0A5H
	SJMP	$
	END
